#!/usr/bin/env bash
# list_fill.sh: the file list pane under Wine filling folders of 10,000 and 100,000 files, against
# a minimal report list view filled from FindFirstFileExW in the same process, by turns.
#
#   bash bench/list_fill.sh [ROUNDS] [ROOT]
#
# Builds ROOT/f10000 and ROOT/f100000 once (bench/make_list_folders.py; ROOT defaults to
# build/bench-list), then runs zq_listfill_bench on them under Xvfb: per folder the median and
# spread of ROUNDS turns (5 by default) of each side, the ratio program/floor (goal <= 1.5 at
# 10,000 rows), the ratio of the program's two medians (goal <= 12), and the program's sort of
# the 100,000 rows by name, size and modified date (goal: well under a second each).
# Needs the Windows build tree of scripts/setup.sh. Not a test: it only prints.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-env.sh"
ROUNDS="${1:-5}"
ROOT="${2:-$ZQ_BUILD/bench-list}"
WIN="$ZQ_BUILD/win"

cmake --build "$WIN" -j2 --target zq_listfill_bench >/dev/null
python3 "$ZQ_ROOT/bench/make_list_folders.py" "$ROOT"

zq_enter_wine_env
# The program keeps its store folder in its working folder: a fresh one, removed at the end.
work=$(mktemp -d)
trap 'zq_stop_all; rm -rf "$work"' EXIT
zq_start_xvfb
zq_start_wineserver
# A message box nobody answers would hold the run forever.
(cd "$work" && timeout 900 wine "$WIN/bench/zq_listfill_bench.exe" "$ROUNDS" \
    "$(zq_windows_path "$ROOT/f10000")" "$(zq_windows_path "$ROOT/f100000")")
