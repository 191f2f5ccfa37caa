#!/usr/bin/env python3
"""Builds the folders the file list benchmark opens: ROOT/f10000 and ROOT/f100000.

    make_list_folders.py ROOT

Each holds only files (no sub-folders), named from a fixed sequence of stems, lengths,
extensions and a few Japanese names, 0 to 100 KB long (sparse: only the listing is measured)
and modified, read and created over some ten years, so that sorting by name, size or date
has real work to do. A folder already complete (its marker file present) is kept.
"""
import os
import sys

SIZES = (10_000, 100_000)
STEMS = ("report", "IMG_", "data", "backup", "メモ", "写真", "readme", "log", "a", "設定ファイル",
         "Projekt", "zz_archive", "draft-final-v", "00", "Thumbs")
EXTENSIONS = (".txt", ".dat", ".jpg", ".cpp", ".h", ".pdf", ".xlsx", ".log", "", ".tar.gz", ".htm",
              ".png", ".mp3", ".ini")
BASE_TIME = 1_262_304_000  # 2010-01-01
TEN_YEARS = 10 * 365 * 86_400


def next_random(state):
    return (state * 1103515245 + 12345) % 2**31


def fill(folder, count):
    marker = folder.rstrip("/") + ".complete"
    if os.path.exists(marker):
        return
    os.makedirs(folder, exist_ok=True)
    state = count
    for i in range(count):
        state = next_random(state)
        stem = STEMS[state % len(STEMS)]
        extension = EXTENSIONS[(state >> 8) % len(EXTENSIONS)]
        padding = "x" * ((state >> 12) % 24)
        path = os.path.join(folder, f"{stem}{i:06d}{padding}{extension}")
        with open(path, "wb") as out:
            out.truncate((state >> 4) % 102_401)
        modified = BASE_TIME + (state >> 3) % TEN_YEARS
        os.utime(path, (modified + (state % 86_400), modified))
    open(marker, "w").close()


def main(root):
    for count in SIZES:
        fill(os.path.join(root, f"f{count}"), count)


if __name__ == "__main__":
    main(sys.argv[1])
