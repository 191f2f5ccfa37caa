#!/usr/bin/env bash
# run.sh: the walk and record-list benchmarks, each measured against a peer in the same run.
#
#   bash bench/run.sh [TREE_DIR]
#
# 1. zqtotals (native) against `du -s --apparent-size` on a 200,000-file, 20,000-folder tree,
#    warm cache, best of 5 each: the ratio should be at most 1.0.
# 2. SetEntry with 1e5 and 1e6 random keys, by turns: the ratio should be at most 15 (n log n,
#    not n^2). Printed both as the ratio of the best times and as the median of the turns' ratios.
# 3. Under Wine, the Windows zqtotals against a minimal FindFirstFileExW walker on the same tree,
#    best of 5 each: the ratio should be at most 1.3.
# Needs the build trees of scripts/setup.sh. Not a test: it only prints.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-env.sh"
TREE="${1:-$ZQ_BUILD/bench-tree}"
NATIVE="$ZQ_BUILD/native"
WIN="$ZQ_BUILD/win"

# time_run COMMAND...: "WALL CPU" of one run, in seconds (CPU = user + system).
time_run() {
    local timing wall user system
    timing=$(mktemp)
    /usr/bin/time -f "%e %U %S" -o "$timing" "$@" >/dev/null
    read -r wall user system <"$timing"
    rm -f "$timing"
    echo "$wall $(echo "$user + $system" | bc -l)"
}

# smaller A B: the smaller of two numbers, B when A is empty.
smaller() {
    if [[ -z "$1" ]] || (( $(echo "$2 < $1" | bc -l) )); then echo "$2"; else echo "$1"; fi
}

# best_pair N COMMAND_A... -- COMMAND_B...: "A_WALL A_CPU B_WALL B_CPU", the shortest times of N
# runs of each. The two take turns, so that a machine whose speed drifts during the measurement
# treats both alike; on a busy machine the CPU time is the fairer comparison.
best_pair() {
    local runs="$1" a=() b=() aWall="" aCpu="" bWall="" bCpu="" wall cpu
    shift
    while [[ "$1" != "--" ]]; do a+=("$1"); shift; done
    shift
    b=("$@")
    for _ in $(seq "$runs"); do
        read -r wall cpu < <(time_run "${a[@]}")
        aWall=$(smaller "$aWall" "$wall"); aCpu=$(smaller "$aCpu" "$cpu")
        read -r wall cpu < <(time_run "${b[@]}")
        bWall=$(smaller "$bWall" "$wall"); bCpu=$(smaller "$bCpu" "$cpu")
    done
    printf '%.3f %.3f %.3f %.3f\n' "$aWall" "$aCpu" "$bWall" "$bCpu"
}

ratio() { printf '%.2f' "$(echo "$1 / $2" | bc -l)"; }

cmake --build "$NATIVE" --target zqtotals zq_setentry_bench >/dev/null
cmake --build "$WIN" --target zqtotals zq_findwalk >/dev/null

echo "== tree: $TREE"
python3 "$ZQ_ROOT/bench/make_tree.py" "$TREE"
du -s --apparent-size "$TREE" >/dev/null  # warm the cache
"$NATIVE/tools/zqtotals" "$TREE" | head -n 1

echo "== native walk, best of 5"
read -r zqWall zqCpu duWall duCpu < <(best_pair 5 "$NATIVE/tools/zqtotals" "$TREE" -- du -s --apparent-size "$TREE")
echo "wall: zqtotals ${zqWall} s, du ${duWall} s, ratio $(ratio "$zqWall" "$duWall") (goal <= 1.0)"
echo "cpu:  zqtotals ${zqCpu} s, du ${duCpu} s, ratio $(ratio "$zqCpu" "$duCpu")"

echo "== record list: inserting random keys, 1e5 and 1e6 keys by turns, 5 turns"
# insert_ratio MODE: the best times for both sizes, the ratio of the two, and the median of the
# five turns' own ratios. A 1e5 run lasts some 50 ms and a 1e6 run about a second: on a shared
# machine the short run finds a quiet moment more easily, which drives the ratio of the bests up;
# the median of the turns' ratios compares two runs made moments apart.
insert_ratio() {
    local small="" large="" a b ratios=()
    for _ in 1 2 3 4 5; do  # by turns, as best_pair does
        a=$("$NATIVE/bench/zq_setentry_bench" 100000 "$1")
        b=$("$NATIVE/bench/zq_setentry_bench" 1000000 "$1")
        small=$(smaller "$small" "$a")
        large=$(smaller "$large" "$b")
        ratios+=("$(ratio "$b" "$a")")
    done
    echo "$small $large $(ratio "$large" "$small") $(printf '%s\n' "${ratios[@]}" | sort -g | sed -n 3p)"
}
read -r small large listRatio listMedian < <(insert_ratio list)
echo "SetEntry:         best ${small} s, ${large} s, ratio ${listRatio}; median of the turns' ratios ${listMedian} (goal <= 15)"
read -r small large mapRatio mapMedian < <(insert_ratio map)
echo "std::map peer:    best ${small} s, ${large} s, ratio ${mapRatio}; median of the turns' ratios ${mapMedian}"
read -r small large allocRatio allocMedian < <(insert_ratio alloc)
echo "allocation alone: best ${small} s, ${large} s, ratio ${allocRatio}; median of the turns' ratios ${allocMedian}"

echo "== Windows walk under Wine, best of 5"
zq_enter_wine_env
trap zq_stop_all EXIT
zq_start_wineserver
winTree="$(zq_windows_path "$TREE")"
wine "$WIN/tools/zqtotals.exe" "$winTree" | head -n 1
wine "$WIN/bench/zq_findwalk.exe" "$winTree"
read -r zqw _ fw _ < <(best_pair 5 wine "$WIN/tools/zqtotals.exe" "$winTree" -- wine "$WIN/bench/zq_findwalk.exe" "$winTree")
echo "wall: zqtotals.exe ${zqw} s, FindFirstFileExW walker ${fw} s, ratio $(ratio "$zqw" "$fw") (goal <= 1.3)"
