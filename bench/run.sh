#!/usr/bin/env bash
# run.sh: the walk and record-list benchmarks, each measured against a peer in the same run.
#
#   bash bench/run.sh [TREE_DIR]
#
# 1. zqtotals (native) against `du -s --apparent-size` on a 200,000-file, 20,000-folder tree,
#    warm cache, best of 5 each: the ratio should be at most 1.0.
# 2. SetEntry with 1e5 and 1e6 random keys: the ratio should be at most 15 (n log n, not n^2).
# 3. Under Wine, the Windows zqtotals against a minimal FindFirstFileExW walker on the same tree,
#    best of 5 each: the ratio should be at most 1.3.
# Needs the build trees of scripts/setup.sh. Not a test: it only prints.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-env.sh"
TREE="${1:-$ZQ_BUILD/bench-tree}"
NATIVE="$ZQ_BUILD/native"
WIN="$ZQ_BUILD/win"

# best_of N COMMAND...: "WALL CPU", the shortest wall time and the shortest user+system time of N
# runs, in seconds. On a busy machine the CPU time is the fairer comparison.
best_of() {
    local runs="$1" bestWall="" bestCpu="" timing wall cpu
    shift
    timing=$(mktemp)
    for _ in $(seq "$runs"); do
        /usr/bin/time -f "%e %U %S" -o "$timing" "$@" >/dev/null
        read -r wall user system <"$timing"
        cpu=$(echo "$user + $system" | bc -l)
        if [[ -z "$bestWall" ]] || (( $(echo "$wall < $bestWall" | bc -l) )); then bestWall=$wall; fi
        if [[ -z "$bestCpu" ]] || (( $(echo "$cpu < $bestCpu" | bc -l) )); then bestCpu=$cpu; fi
    done
    rm -f "$timing"
    printf '%.3f %.3f\n' "$bestWall" "$bestCpu"
}

ratio() { printf '%.2f' "$(echo "$1 / $2" | bc -l)"; }

cmake --build "$NATIVE" --target zqtotals zq_setentry_bench >/dev/null
cmake --build "$WIN" --target zqtotals zq_findwalk >/dev/null

echo "== tree: $TREE"
python3 "$ZQ_ROOT/bench/make_tree.py" "$TREE"
du -s --apparent-size "$TREE" >/dev/null  # warm the cache
"$NATIVE/tools/zqtotals" "$TREE" | head -n 1

echo "== native walk, best of 5"
read -r zqWall zqCpu < <(best_of 5 "$NATIVE/tools/zqtotals" "$TREE")
read -r duWall duCpu < <(best_of 5 du -s --apparent-size "$TREE")
echo "wall: zqtotals ${zqWall} s, du ${duWall} s, ratio $(ratio "$zqWall" "$duWall") (goal <= 1.0)"
echo "cpu:  zqtotals ${zqCpu} s, du ${duCpu} s, ratio $(ratio "$zqCpu" "$duCpu")"

echo "== record list: inserting random keys, best of 3, 1e5 and 1e6 keys"
# insert_ratio MODE: the best times for both sizes and their ratio.
insert_ratio() {
    local small large
    small=$(for _ in 1 2 3; do "$NATIVE/bench/zq_setentry_bench" 100000 "$1"; done | sort -n | head -n 1)
    large=$(for _ in 1 2 3; do "$NATIVE/bench/zq_setentry_bench" 1000000 "$1"; done | sort -n | head -n 1)
    echo "$small $large $(ratio "$large" "$small")"
}
read -r small large listRatio < <(insert_ratio list)
echo "SetEntry:         ${small} s, ${large} s, ratio ${listRatio} (goal <= 15)"
read -r small large mapRatio < <(insert_ratio map)
echo "std::map peer:    ${small} s, ${large} s, ratio ${mapRatio}"
read -r small large allocRatio < <(insert_ratio alloc)
echo "allocation alone: ${small} s, ${large} s, ratio ${allocRatio}"

echo "== Windows walk under Wine, best of 5"
zq_enter_wine_env
trap zq_stop_all EXIT
zq_start_wineserver
winTree="$(zq_windows_path "$TREE")"
wine "$WIN/tools/zqtotals.exe" "$winTree" | head -n 1
wine "$WIN/bench/zq_findwalk.exe" "$winTree"
read -r zqw _ < <(best_of 5 wine "$WIN/tools/zqtotals.exe" "$winTree")
read -r fw _ < <(best_of 5 wine "$WIN/bench/zq_findwalk.exe" "$winTree")
echo "wall: zqtotals.exe ${zqw} s, FindFirstFileExW walker ${fw} s, ratio $(ratio "$zqw" "$fw") (goal <= 1.3)"
