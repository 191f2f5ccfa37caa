#!/usr/bin/env python3
"""Builds the deterministic benchmark tree: 200,000 files in 20,000 folders.

    make_tree.py DIR

100 top folders with 199 subfolders each (20,000 folders in all), ten files in every folder,
sizes from a fixed sequence. A tree already complete (its marker file present) is kept.
"""
import os
import sys

TOP, SUB, FILES = 100, 199, 10


def main(root):
    marker = root.rstrip("/") + ".complete"
    if os.path.exists(marker):
        return
    size = 0
    for t in range(TOP):
        top = os.path.join(root, f"t{t:03d}")
        for s in range(SUB + 1):
            folder = top if s == SUB else os.path.join(top, f"s{s:03d}")
            os.makedirs(folder, exist_ok=True)
            for f in range(FILES):
                size = (size * 1103515245 + 12345) % 2**31
                with open(os.path.join(folder, f"f{f}.dat"), "wb") as out:
                    out.write(b"z" * (size % 4096))
    open(marker, "w").close()


if __name__ == "__main__":
    main(sys.argv[1])
