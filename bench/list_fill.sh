#!/usr/bin/env bash
# list_fill.sh: the file list pane under Wine filling folders of 10,000 and 100,000 files, against
# a minimal report list view filled from FindFirstFileExW in the same process, by turns.
#
#   bash bench/list_fill.sh [ROUNDS] [ROOT]
#
# Builds ROOT/f10000 and ROOT/f100000 once (bench/make_list_folders.py; ROOT defaults to
# build/bench-list), then runs zq_listfill_bench on them under Xvfb: per folder the median and
# spread of ROUNDS turns (5 by default) of each side, the ratio program/floor (goal <= 1.2), the
# ratio of the program's two medians (goal <= 12), the program's sort of the 100,000 rows by
# name, size and modified date (goal: well under a second each) and the messages its list gets a
# row. With BASE=another build of zq_listfill_bench.exe (a change's base), that build and this
# one run by turns, PASSES times each (2 by default), so that both are measured in the same run.
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
run() {
    (cd "$work" && timeout 900 wine "$1" "$ROUNDS" \
        "$(zq_windows_path "$ROOT/f10000")" "$(zq_windows_path "$ROOT/f100000")")
}
if [[ -z "${BASE:-}" ]]; then
    run "$WIN/bench/zq_listfill_bench.exe"
    exit 0
fi
for pass in $(seq "${PASSES:-2}"); do
    echo "== base $BASE, pass $pass"
    run "$BASE"
    echo "== this build, pass $pass"
    run "$WIN/bench/zq_listfill_bench.exe"
done
