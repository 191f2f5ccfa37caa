#!/usr/bin/env bash
# search.sh: the folder search under Wine over 1,000,000 stored records, without a hit and with
# HITS hits (1,000 by default, at most 10,000), against a bare run through the same records in the
# same process, by turns.
#
#   bash bench/search.sh [ROUNDS] [ROOT] [HITS]
#
# Makes ROOT/hitsHITS with the sub-folders h0000 up to HITS - 1 once (ROOT defaults to
# build/bench-search), then runs zq_search_bench under Xvfb: median and spread of ROUNDS turns (7
# by default) of the bare run, of the pump alone, of each search; the search's own work a record
# against the bare run (goal <= 3x), the pump's share, and the tree's cost a hit. With
# ZQ_BENCH_BASE set to a folder holding another build's zq_search_bench.exe, that build runs right
# before this one (the figures before a change, same run). Needs the Windows build tree of
# scripts/setup.sh. Not a test: it only prints.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-env.sh"
ROUNDS="${1:-7}"
ROOT="${2:-$ZQ_BUILD/bench-search}"
HITS="${3:-1000}"
WIN="$ZQ_BUILD/win"

cmake --build "$WIN" -j2 --target zq_search_bench >/dev/null
FOLDER="$ROOT/hits$HITS"
mkdir -p "$FOLDER"
(cd "$FOLDER" && seq -f 'h%04g' 0 $((HITS - 1)) | xargs mkdir -p)

zq_enter_wine_env
# The program keeps its store folder in its working folder: a fresh one, removed at the end.
work=$(mktemp -d)
trap 'zq_stop_all; rm -rf "$work"' EXIT
zq_start_xvfb
zq_start_wineserver
# A message box nobody answers would hold the run forever.
exes=()
[[ -n "${ZQ_BENCH_BASE:-}" ]] && exes+=("$ZQ_BENCH_BASE/zq_search_bench.exe")
exes+=("$WIN/bench/zq_search_bench.exe")
for exe in "${exes[@]}"; do
    echo "== $exe"
    rm -rf "$work/run" && mkdir "$work/run"
    (cd "$work/run" && timeout 900 wine "$exe" "$ROUNDS" "$(zq_windows_path "$FOLDER")" "$HITS")
done
