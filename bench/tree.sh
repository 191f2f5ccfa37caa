#!/usr/bin/env bash
# tree.sh: a folder of 10,000 sub-folders in the program's tree under Wine, against a minimal
# FindFirstFileExW walk of the same folder measured in the same run, by turns.
#
#   bash bench/tree.sh [FOLDER] [ROUNDS]
#
# Each turn runs zq_tree_bench once (the program opens the folder's level, learns the expand
# buttons it left to learn, then aggregates the folder with every sub-folder shown: each gets its
# own walk, record and label) and the minimal walker once; both time their own work, without
# their process's start. Prints the median and spread of ROUNDS turns (5 by default) of the
# opening (goal <= 1 s), the buttons learned after it with the longest message meanwhile, the
# aggregation and the walker, and of the turns' ratios aggregation / walker (goal <= 1.5). With
# ZQ_BENCH_BASE set to a folder holding another build's zq_tree_bench.exe, that program takes its
# turn too (the figures before a change, same run). Needs the Windows build tree of
# scripts/setup.sh. Not a test: it only prints.
#
# FOLDER defaults to build/bench-wide, which is made here; another folder is taken as it is (e.g.
# the 200,000-file tree of bench/make_tree.py: its aggregation is the program's 集計 of a deep
# tree, status-bar progress on, against the walker).
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-env.sh"
FOLDER="${1:-$ZQ_BUILD/bench-wide}"
ROUNDS="${2:-5}"
WIN="$ZQ_BUILD/win"

cmake --build "$WIN" -j2 --target zq_tree_bench zq_findwalk >/dev/null
[[ -z "${1:-}" ]] && python3 - "$FOLDER" <<'PY'
import os, sys
root = sys.argv[1]
for i in range(10000):
    folder = os.path.join(root, f"d{i:05d}")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "f.txt"), "wb") as out:
        out.write(b"x" * (i % 1000))
PY

zq_enter_wine_env
work=$(mktemp -d)
trap 'zq_stop_all; rm -rf "$work"' EXIT
zq_start_xvfb
zq_start_wineserver
winFolder="$(zq_windows_path "$FOLDER")"
sides=("program:$WIN/bench/zq_tree_bench.exe")
[[ -n "${ZQ_BENCH_BASE:-}" ]] && sides+=("before:$ZQ_BENCH_BASE/zq_tree_bench.exe")
results="$work/results"
: >"$results"
for round in $(seq "$ROUNDS"); do
    for side in "${sides[@]}"; do
        name="${side%%:*}"
        exe="${side#*:}"
        rm -rf "$work/run" && mkdir "$work/run"
        line=$(cd "$work/run" && timeout 900 wine "$exe" "$winFolder" | grep '^tree:')
        # tree: expand X s, buttons Y s, longest wait Z ms, aggregate W s
        read -r expand buttons wait aggregate < <(echo "$line" |
            sed -E 's/.*expand ([0-9.]+) s, buttons ([0-9.]+) s, longest wait ([0-9.]+) ms, aggregate ([0-9.]+) s.*/\1 \2 \3 \4/')
        for what in expand buttons wait aggregate; do
            echo "$round $name $what ${!what}" >>"$results"
        done
    done
    walk=$(wine "$WIN/bench/zq_findwalk.exe" "$winFolder" | sed -E 's/.*seconds=([0-9.]+).*/\1/')
    echo "$round walker walk $walk" >>"$results"
done
python3 - "$results" <<'PY'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
def figures(side, what):
    return {int(r[0]): float(r[3]) for r in rows if r[1] == side and r[2] == what}
def show(label, values):
    v = sorted(values)
    print(f"{label:<34} {statistics.median(v):7.3f} [{v[0]:.3f}-{v[-1]:.3f}]")
walk = figures("walker", "walk")
show("minimal walker (s)", walk.values())
for side in ("program", "before"):
    expand, aggregate = figures(side, "expand"), figures(side, "aggregate")
    if not expand:
        continue
    show(f"{side}: expand (s)", expand.values())
    show(f"{side}: buttons learned after (s)", figures(side, "buttons").values())
    show(f"{side}: longest message then (ms)", figures(side, "wait").values())
    show(f"{side}: aggregate (s)", aggregate.values())
    show(f"{side}: aggregate / walker", [aggregate[r] / walk[r] for r in aggregate])
print("median [low-high] of the turns; the machine may be shared: compare within one run")
PY
