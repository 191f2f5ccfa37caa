#!/usr/bin/env python3
"""Checks zqtotals against find(1) for every folder record it stores.

    check_zqtotals.py ZQTOTALS ROOT [--generate]

Runs `zqtotals --dir-info FILE ROOT`, reads FILE back with --read-dir-info, checks that the keys
ascend in the program's character order, and compares each folder's total and direct records with what
find reports below it: bytes = apparent sizes of regular files, files = regular files and
symbolic links, folders = real folders. Damaged copies of the file (cut, padded, one byte
flipped) must each be refused in one line. With --generate, ROOT is first filled
with a small tree that has the awkward cases: Japanese names, hidden files, empty folders, a symbolic link loop
and a file link, a 5 GiB sparse file.
"""
import os
import struct
import subprocess
import sys
import tempfile
from collections import defaultdict


def put(path, size):
    """A file of that many bytes (sparse: only its size counts), with the folders above it."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.truncate(size)


def generate(root):
    os.makedirs(os.path.join(root, "a/空フォルダ"), exist_ok=True)
    put(os.path.join(root, "a/sparse"), 5 << 30)
    files = ["a/f1", "a/b/f2", "a/b/c/f3", "データ/写真/画像.jpg", "ｶﾀｶﾅ/ﾃｽﾄ", "x/.hidden/.h"]
    # Sibling names that code page 932 cannot tell apart: each folder must keep its own totals.
    files += [f"look/{name}/f" for name in ["café", "cafè", "한국", "한글", "\U0001F600", "\U0001F601"]]
    for i, name in enumerate(files):
        put(os.path.join(root, name), i * 1000 + 7)
    for i, raw in enumerate([b"bad\xff", b"bad\xfe"]):
        put(os.path.join(os.fsencode(root), b"look", raw, b"f"), i + 100)
    for link, target in [("a/b/loop", ".."), ("x/filelink", "../a/f1")]:
        path = os.path.join(root, link)
        if not os.path.lexists(path):
            os.symlink(target, path)


def key_of(path):
    """The program's key for a native path: Z: drive, backslashes, code page 932."""
    windows = "Z:" + path.replace("/", "\\")
    return windows.encode("cp932", errors="replace")


def codes(key):
    """Character codes as _mbscmp sees them in code page 932 bytes."""
    i = 0
    while i < len(key):
        b = key[i]
        if (0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC) and i + 1 < len(key):
            yield b << 8 | key[i + 1]
            i += 2
        else:
            yield b
            i += 1


def find_totals(root):
    """Per folder key: (bytes, folders, files) below, and of its direct files."""
    listing = subprocess.run(["find", root, "-mindepth", "1", "-printf", r"%y %s %h\0"],
                             capture_output=True, check=True).stdout
    total = defaultdict(lambda: [0, 0, 0])
    direct = defaultdict(lambda: [0, 0, 0])
    root_depth = root.rstrip("/").count("/")
    for item in listing.split(b"\0")[:-1]:
        kind, size, parent = item.split(b" ", 2)
        add = {b"d": (0, 1, 0), b"f": (int(size), 0, 1), b"l": (0, 0, 1)}.get(kind)
        if add is None:
            continue
        parent = os.fsdecode(parent)
        if kind != b"d":
            direct[key_of(parent)] = [x + y for x, y in zip(direct[key_of(parent)], add)]
        folder = parent
        while folder.count("/") >= root_depth and folder != "/":
            total[key_of(folder)] = [x + y for x, y in zip(total[key_of(folder)], add)]
            if folder == root.rstrip("/"):
                break
            folder = os.path.dirname(folder)
    return total, direct


def printed_totals(output):
    """(path, which, (bytes, folders, files)) of each of zqtotals' output lines, in order."""
    for line in output.decode("utf-8", "surrogateescape").splitlines():
        path, which, fields = line.split("\t")
        values = dict(field.split("=") for field in fields.split())
        yield path, which, (int(values["bytes"]), int(values["folders"]), int(values["files"]))


def read_damaged(zqtotals, info, data):
    """zqtotals --read-dir-info on these bytes: (exit status, stdout, stderr); never a crash."""
    with open(info, "wb") as out:
        out.write(data)
    run = subprocess.run([zqtotals, "--read-dir-info", info], capture_output=True)
    if run.returncode not in (0, 1) or run.stderr.count(b"\n") != run.returncode:
        raise SystemExit(f"a damaged Dir Info gave exit {run.returncode}, stderr {run.stderr!r}")
    return run.returncode, run.stdout, run.stderr


def flipped(data, position, mask=0xFF):
    return data[:position] + bytes([data[position] ^ mask]) + data[position + 1:]


def check_damaged_dir_info(zqtotals, info, read):
    """Each damage says so in one line with exit 1; cut and padded files print what came before it."""
    whole = open(info, "rb").read()
    count, = struct.unpack_from("<i", whole, 0)
    cases = [
        # (what, bytes, whether the records printed are those of the sound file up to the damage)
        ("cut in half", whole[:len(whole) // 2], True),
        ("cut in the count", whole[:2], True),
        ("empty", b"", True),
        ("cut before the last byte", whole[:-1], True),
        ("bytes after the announced records", whole + b"\0\0\0", True),
        ("a record more than announced", struct.pack("<i", count - 1) + whole[4:], True),
        ("more records announced than held", struct.pack("<i", count + 1) + whole[4:], True),
        ("a negative count", flipped(whole, 3, 0x80), True),
        ("the first key's length flipped", flipped(whole, 4), False),
        ("the first key's length one longer", whole[:4] + bytes([(whole[4] + 1) & 0xFF]) + whole[5:], False),
    ]
    for what, data, prefix in cases:
        status, out, err = read_damaged(zqtotals, info, data)
        if status != 1 or (prefix and not read.startswith(out)):
            raise SystemExit(f"a Dir Info with {what} gave exit {status}, stderr {err!r}")
    # What any flipped byte does to the reader is fuzz/fuzz_dir_info's to find.
    with open(info, "wb") as out:
        out.write(whole)


def check_command_line(zqtotals, root, info):
    """Totals of the root by the walk equal find's, Dir Info reads back, a damaged one says so."""
    output = subprocess.run([zqtotals, root], capture_output=True, check=True).stdout
    walked = next(totals for path, which, totals in printed_totals(output) if (path, which) == (root, "total"))
    by_find = tuple(find_totals(root)[0][key_of(root)])
    if walked != by_find:
        raise SystemExit(f"root totals {walked} differ from find's {by_find}")
    read = subprocess.run([zqtotals, "--read-dir-info", info], capture_output=True, check=True).stdout
    check_damaged_dir_info(zqtotals, info, read)
    usage = [subprocess.run([zqtotals] + args, capture_output=True).returncode for args in (["--help"], [""], [])]
    if usage != [0, 2, 2]:
        raise SystemExit(f"--help, an empty path and no path gave {usage}, not [0, 2, 2]")
    return read


def main():
    zqtotals, root = sys.argv[1], os.path.abspath(sys.argv[2])
    if "--generate" in sys.argv:
        generate(root)
    with tempfile.TemporaryDirectory() as scratch:
        info = os.path.join(scratch, "Dir Info")
        subprocess.run([zqtotals, "--dir-info", info, root], check=True, stdout=subprocess.DEVNULL)
        read = check_command_line(zqtotals, root, info)
    # Each stored record as --read-dir-info prints it: its total line, then its direct one.
    lines = list(printed_totals(read))
    records = [(key_of(path), t, d) for (path, _, t), (_, _, d) in zip(lines[0::2], lines[1::2])]
    keys = [list(codes(key)) for key, _, _ in records]
    if keys != sorted(keys) or len(set(map(tuple, keys))) != len(keys):
        raise SystemExit("dir-info keys are not unique and ascending")
    total, direct = find_totals(root)
    mismatches = 0
    for key, t, d in records:
        want_total = tuple(total.get(key, (0, 0, 0)))
        want_direct = (direct.get(key, [0, 0, 0])[0], 0, direct.get(key, [0, 0, 0])[2])
        if t != want_total or d != want_direct:
            mismatches += 1
            if mismatches <= 10:
                print(f"{key.decode('cp932', 'replace')}: total {t} direct {d}; find {want_total} {want_direct}")
    print(f"{len(records)} folder records checked against find, {mismatches} mismatches")
    return 1 if mismatches or not records else 0


if __name__ == "__main__":
    sys.exit(main())
