#!/usr/bin/env python3
"""zqtotals --since: a tree changed in known ways between two walks gives exactly those changes.

    check_since.py [--wine] ZQTOTALS ROOT [WRITER]

The snapshot is written by WRITER (the native build while ZQTOTALS is the Windows one; when it is
missing, by ZQTOTALS), so that a snapshot of one build compares with a walk of the other. Then a
file grows, a folder is added, one removed, one renamed, a file grows in a folder named outside
code page 932, a 5 GiB sparse file appears. JSON, CSV and text agree; a damaged snapshot prints nothing.
"""
import csv
import io
import json
import os
import shutil
import subprocess
import sys

OLD, NEW, GIB5 = 1_000_000_000, 1_100_000_000, 5 << 30


def write(path, size, mtime):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "ab") as out:
        out.truncate(size)
    os.utime(path, (mtime, mtime))


def make_before(root):
    shutil.rmtree(root, ignore_errors=True)
    for name, size in [("grow/f", 100), ("gone/sub/f", 20), ("keep/f", 5), ("한글/f", 1)]:
        write(os.path.join(root, name), size, OLD)
    os.makedirs(os.path.join(root, "old"))
    os.makedirs(os.path.join(root, "big"))


def change(root):
    write(os.path.join(root, "grow/f"), 150, NEW)
    shutil.rmtree(os.path.join(root, "gone"))
    os.rename(os.path.join(root, "old"), os.path.join(root, "renamed"))
    write(os.path.join(root, "added/in/f"), 7, OLD)
    write(os.path.join(root, "한글/f"), 4, NEW)
    write(os.path.join(root, "big/sparse"), GIB5, NEW)


# (folder below ROOT, state, letters, bytes, folders, files), biggest size change first
EXPECTED = [
    ("", "changed", "SUF", GIB5 + 50 - 20 + 7 + 3, 0, 1),
    ("big", "changed", "SUF", GIB5, 0, 1),
    ("grow", "changed", "SU", 50, 0, 0),
    ("gone", "gone", "", -20, -1, -1),
    ("added", "new", "N", 7, 1, 1),
    ("old", "gone", "", 0, 0, 0),
    ("renamed", "new", "N", 0, 0, 0),
]


def main():
    wine = "--wine" in sys.argv
    args = [a for a in sys.argv[1:] if a != "--wine"]
    zqtotals, root = args[0], os.path.abspath(args[1])
    writer = args[2] if len(args) > 2 and os.path.exists(args[2]) else None
    shown = (lambda p: "Z:" + p.replace("/", "\\")) if wine else (lambda p: p)
    run_zq = (["wine"] if wine else []) + [zqtotals] + (["--windows-paths"] if wine else [])
    snapshot = root + ".dirinfo"
    make_before(root)
    write_zq = [writer] if writer else run_zq
    subprocess.run(write_zq + ["--dir-info", shown(snapshot) if not writer else snapshot,
                               shown(root) if not writer else root], check=True, capture_output=True)
    change(root)
    try:
        since = run_zq + ["--since", shown(snapshot), shown(root)]
        report = json.loads(subprocess.run(since + ["--format", "json"], check=True, capture_output=True).stdout)
        got = [(c["path"], c["state"], c["letters"], c["bytes"], c["folders"], c["files"]) for c in report["changes"]]
        want = [(shown(os.path.join(root, p)) if p else shown(root), *rest) for p, *rest in EXPECTED]
        if got != want:
            raise SystemExit(f"--since gave\n{got}\ninstead of\n{want}")
        rows = list(csv.DictReader(io.StringIO(subprocess.run(since + ["--format", "csv"], check=True,
                                                              capture_output=True, text=True).stdout)))
        if [r["path"] for r in rows if r["record"] == "change"] != [w[0] for w in want]:
            raise SystemExit("the CSV changes are not those of the JSON")
        text = subprocess.run(since, check=True, capture_output=True, text=True).stdout.splitlines()
        if text[1] != f"{want[1][0]}\tbytes=+{GIB5}\tfolders=0\tfiles=+1\tchanged\tSUF":
            raise SystemExit(f"text line {text[1]!r}")
        with open(snapshot, "r+b") as cut:
            cut.truncate(os.path.getsize(snapshot) - 9)
        damaged = subprocess.run(since, capture_output=True)
        if damaged.returncode != 1 or damaged.stdout or b"damaged" not in damaged.stderr:
            raise SystemExit(f"a damaged snapshot gave {damaged}")
    finally:
        shutil.rmtree(root, ignore_errors=True)
        os.remove(snapshot)
    print(f"{len(want)} changes as expected" + (" (snapshot of the other build)" if writer else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
