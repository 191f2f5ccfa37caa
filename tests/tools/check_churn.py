#!/usr/bin/env python3
"""Totals a tree while other processes create and delete folders and files in it.

    check_churn.py [--wine] ZQTOTALS ROOT RUNS

ROOT gets a stable part (ROOT/stable: 35 folders, 120 files, 27,300 bytes) and a part under
churn (ROOT/churn), where two processes keep making small trees of 1,000,000-byte files (each appears whole,
renamed into place), deleting them, and putting a file where a folder was. zqtotals then totals ROOT and ROOT/stable RUNS
times. Every run must exit 0 with nothing on standard error; the stable part's record must be
exact, and ROOT's totals must be the stable part plus whole churn files and folders (its bytes
are the stable bytes modulo 1,000,000). With --wine, ZQTOTALS is a Windows build run with wine
in the environment the caller set up, given Z:\\ paths.
"""
import os
import random
import shutil
import statistics
import subprocess
import sys
import time

CHURN_FILE_BYTES = 1_000_000
STABLE = {"bytes": 27300, "folders": 35, "files": 120}


def make_stable_part(root):
    shutil.rmtree(root, ignore_errors=True)
    for a in range(5):
        for b in range(6):
            folder = os.path.join(root, "stable", f"a{a}", f"b{b}")
            os.makedirs(folder)
            for i in range(4):
                with open(os.path.join(folder, f"f{i}"), "wb") as out:
                    out.write(b"s" * (a * 100 + b * 10 + i + 1))
    os.makedirs(os.path.join(root, "churn"))


def put_churn_file(path, staging):
    """A whole file appears at once: written outside the tree, then renamed into it."""
    with open(staging, "wb") as out:
        out.write(b"z" * CHURN_FILE_BYTES)
    os.rename(staging, path)


def churn(root, worker):
    """Until killed: a name holds nothing, a small tree, or (after a tree) a file."""
    rnd = random.Random(worker)
    staging = f"{root}.staging{worker}"
    while True:
        name = os.path.join(root, "churn", f"w{worker}-{rnd.randrange(20)}")
        try:
            if os.path.isdir(name):
                shutil.rmtree(name, ignore_errors=True)
                if rnd.randrange(4) == 0:
                    put_churn_file(name, staging)
            elif os.path.exists(name):
                os.remove(name)
            else:
                for depth in range(rnd.randrange(1, 4)):
                    folder = os.path.join(name, *[f"s{i}" for i in range(depth)])
                    os.makedirs(folder, exist_ok=True)
                    for i in range(rnd.randrange(5)):
                        put_churn_file(os.path.join(folder, f"f{i}"), staging)
        except OSError:
            pass  # the other worker got there first


def totals(output, path, which):
    for line in output.splitlines():
        fields = line.split("\t")
        if fields[:2] == [path, which]:
            return {k: int(v) for k, v in (f.split("=") for f in fields[2].split()) if k in STABLE}
    return None


def problem_of(run, root, stable):
    """What is wrong with one run, or None."""
    if run.returncode != 0 or run.stderr:
        return f"exit {run.returncode}: {run.stderr.strip()}"
    if totals(run.stdout, stable, "total") != STABLE:
        return f"stable part {totals(run.stdout, stable, 'total')}, not {STABLE}"
    whole = totals(run.stdout, root, "total")
    if (whole is None or whole["bytes"] % CHURN_FILE_BYTES != STABLE["bytes"]
            or whole["folders"] < STABLE["folders"] + 2 or whole["files"] < STABLE["files"]):
        return f"whole tree {whole} is not the stable part and whole churn files"
    return None


def main():
    wine = "--wine" in sys.argv
    zqtotals, root, runs = [a for a in sys.argv[1:] if a != "--wine"]
    root = os.path.abspath(root)
    make_stable_part(root)
    shown = (lambda p: "Z:" + p.replace("/", "\\")) if wine else (lambda p: p)
    command = (["wine"] if wine else []) + [zqtotals] + (["--windows-paths"] if wine else [])
    command += [shown(root), shown(os.path.join(root, "stable"))]
    workers = [subprocess.Popen([sys.executable, __file__, "--churn-worker", root, str(w)]) for w in (1, 2)]
    problems, seconds = [], []
    try:
        time.sleep(0.5)
        for _ in range(int(runs)):
            start = time.monotonic()
            run = subprocess.run(command, capture_output=True, text=True, stdin=subprocess.DEVNULL)
            seconds.append(time.monotonic() - start)
            problem = problem_of(run, shown(root), shown(os.path.join(root, "stable")))
            if problem:
                problems.append(problem)
    finally:
        for worker in workers:
            worker.kill()
            worker.wait()
        shutil.rmtree(root, ignore_errors=True)
        for worker in (1, 2):
            if os.path.exists(f"{root}.staging{worker}"):
                os.remove(f"{root}.staging{worker}")
    print(f"{len(seconds) - len(problems)} of {len(seconds)} runs under churn totalled right; "
          f"median {statistics.median(seconds):.3f} s, longest {max(seconds):.3f} s")
    for problem in problems[:5]:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    if sys.argv[1:2] == ["--churn-worker"]:
        churn(sys.argv[2], int(sys.argv[3]))
    sys.exit(main())
