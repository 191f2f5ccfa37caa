#!/usr/bin/env bash
# tree.sh: a folder of 10,000 sub-folders in the program's tree under Wine, against a minimal
# FindFirstFileExW walk of the same folder measured in the same run, by turns.
#
#   bash bench/tree.sh [FOLDER] [ROUNDS]
#
# Each turn runs the program once (it opens the folder, then aggregates it with every sub-folder
# shown: each gets its own walk, record and label) and the minimal walker once; both time their
# own work, without their process's start. Prints the median and spread of ROUNDS turns (5 by
# default) of the opening, the aggregation and the walker, and of the turns' ratios aggregation /
# walker (goal <= 1.5). With ZQ_BENCH_BASE set to a folder holding another build's
# zqgui_tests.exe, that program takes its turn too (the figures before a change, same run).
# Needs the build trees of scripts/setup.sh. Not a test: it only prints.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-env.sh"
FOLDER="${1:-$ZQ_BUILD/bench-wide}"
ROUNDS="${2:-5}"
WIN="$ZQ_BUILD/win"

cmake --build "$WIN" --target zqgui_tests zq_findwalk >/dev/null
python3 - "$FOLDER" <<'PY'
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
sides=("program:$WIN/win/zqgui_tests.exe")
[[ -n "${ZQ_BENCH_BASE:-}" ]] && sides+=("before:$ZQ_BENCH_BASE/zqgui_tests.exe")
results="$work/results"
: >"$results"
for round in $(seq "$ROUNDS"); do
    for side in "${sides[@]}"; do
        name="${side%%:*}"
        exe="${side#*:}"
        rm -rf "$work/run" && mkdir "$work/run"
        line=$(cd "$work/run" && ZQ_WIDE_FOLDER="$winFolder" wine "$exe" --gtest_also_run_disabled_tests \
            --gtest_filter='*WideFolderTimings' | grep '^tree:')
        # tree: expand X s, aggregate Y s
        read -r expand aggregate < <(echo "$line" | sed -E 's/.*expand ([0-9.]+) s, aggregate ([0-9.]+) s.*/\1 \2/')
        echo "$round $name expand $expand" >>"$results"
        echo "$round $name aggregate $aggregate" >>"$results"
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
    show(f"{side}: aggregate (s)", aggregate.values())
    show(f"{side}: aggregate / walker", [aggregate[r] / walk[r] for r in aggregate])
print("median [low-high] of the turns; the machine may be shared: compare within one run")
PY
