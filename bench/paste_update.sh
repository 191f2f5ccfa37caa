#!/usr/bin/env bash
# paste_update.sh: the file list's update after 10,000 files are pasted into a folder that shows
# 10,000 rows, against a plain refill of the same list, under Wine in one process.
#
#   bash bench/paste_update.sh [ROUNDS] [ROOT]
#
# Builds ROOT/f10000 (with bench/make_list_folders.py; ROOT defaults to build/bench-list) and
# ROOT/paste-source, 10,000 files of other names, once; then zq_listfill_bench --paste moves the
# source's files into f10000 and back in every round, outside the timing, and prints the median
# and spread of the update, of the refill before and after the paste, and of the rounds' ratios
# (goal: the update takes at most twice the refill). Not a test: it only prints.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-env.sh"
ROUNDS="${1:-5}"
ROOT="${2:-$ZQ_BUILD/bench-list}"
WIN="$ZQ_BUILD/win"

cmake --build "$WIN" -j2 --target zq_listfill_bench >/dev/null
python3 - "$ROOT" "$ZQ_ROOT/bench" <<'PY'
import os, sys
sys.path.insert(0, sys.argv[2])
import make_list_folders
make_list_folders.fill(os.path.join(sys.argv[1], "f10000"), 10_000)
folder = os.path.join(sys.argv[1], "paste-source")
if not os.path.exists(folder + ".complete"):
    os.makedirs(folder, exist_ok=True)
    for i in range(10_000):
        path = os.path.join(folder, f"pasted ソ表 {i:05d}.dat")
        with open(path, "wb") as out:
            out.truncate(i * 7 % 65_536)
        os.utime(path, (1_500_000_000 + i * 997, 1_500_000_000 + i * 991))
    open(folder + ".complete", "w").close()
PY

zq_enter_wine_env
work=$(mktemp -d)
trap 'zq_stop_all; rm -rf "$work"' EXIT
zq_start_xvfb
zq_start_wineserver
(cd "$work" && timeout 1800 wine "$WIN/bench/zq_listfill_bench.exe" --paste "$ROUNDS" \
    "$(zq_windows_path "$ROOT/f10000")" "$(zq_windows_path "$ROOT/paste-source")")
