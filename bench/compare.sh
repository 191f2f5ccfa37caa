#!/usr/bin/env bash
# compare.sh: the compare walk of two linked windows under Wine, against a minimal FindFirstFileExW
# walker over both trees, by turns.
#
#   bash bench/compare.sh [ROUNDS] [ROOT] [TOPS]
#
# Builds ROOT/a (bench/make_tree.py: 200,000 files in 20,000 folders; ROOT defaults to
# build/bench-compare) once, and ROOT/b as a copy of it made of hard links (the same sizes and
# times, so the walk finds everything equal and goes through every folder). With TOPS (1 to
# 100) only the first TOPS top folders of each tree are compared (ROOT/a-TOPS, ROOT/b-TOPS, made
# of hard links as well), for a quicker run on a slow machine. Then, under Xvfb, ROUNDS rounds
# (3 by default) of one turn each: zq_findwalk (both trees listed once) and zq_compare_bench
# (the first window's compare walk of a against b), the side that goes first alternating, after
# one untimed turn of each. Both sides time themselves, without their processes' start. Prints
# every turn, the median and spread of each side and the ratio program/floor (goal <= 3). With ZQ_COMPARE_FULL=1 the last program turn also times the whole
# compare the command starts (both windows' walks and both lists' passes). Not a test.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-env.sh"
ROUNDS="${1:-3}"
ROOT="${2:-$ZQ_BUILD/bench-compare}"
TOPS="${3:-}"
WIN="$ZQ_BUILD/win"

cmake --build "$WIN" -j2 --target zq_compare_bench zq_findwalk >/dev/null
python3 "$ZQ_ROOT/bench/make_tree.py" "$ROOT/a"
[[ -d "$ROOT/b" ]] || cp -al "$ROOT/a" "$ROOT/b"
A="$ROOT/a" B="$ROOT/b"
if [[ -n "$TOPS" ]]; then
    A="$ROOT/a-$TOPS" B="$ROOT/b-$TOPS"
    for side in a b; do
        part="$ROOT/$side-$TOPS"
        if [[ ! -d "$part" ]]; then
            mkdir -p "$part"
            for ((t = 0; t < TOPS; t++)); do cp -al "$ROOT/$side/$(printf 't%03d' "$t")" "$part/"; done
        fi
    done
fi
WA="$(zq_windows_path "$A")" WB="$(zq_windows_path "$B")"

zq_enter_wine_env
# The program keeps its store folder in its working folder: a fresh one, removed at the end.
work=$(mktemp -d)
trap 'zq_stop_all; rm -rf "$work"' EXIT
zq_start_xvfb
zq_start_wineserver

floor_turn() { wine "$WIN/bench/zq_findwalk.exe" "$WA" "$WB" | tee /dev/stderr | sed -n 's/.*seconds=\([0-9.]*\).*/\1/p'; }
program_turn() {
    (cd "$work" && timeout 3600 wine "$WIN/bench/zq_compare_bench.exe" "$WA" "$WB" "$@") | tee /dev/stderr |
        sed -n 's/^program walk seconds=\([0-9.]*\).*/\1/p'
}

echo "untimed turns:" >&2
floor_turn >/dev/null
program_turn >/dev/null
floors=() programs=()
for ((round = 0; round < ROUNDS; round++)); do
    extra=()
    [[ "${ZQ_COMPARE_FULL:-0}" == 1 && $round == $((ROUNDS - 1)) ]] && extra=(full)
    if ((round % 2 == 0)); then
        floors+=("$(floor_turn)") programs+=("$(program_turn "${extra[@]}")")
    else
        programs+=("$(program_turn "${extra[@]}")") floors+=("$(floor_turn)")
    fi
done
python3 - "${floors[*]}" "${programs[*]}" <<'PY'
import statistics, sys
floor = [float(x) for x in sys.argv[1].split()]
program = [float(x) for x in sys.argv[2].split()]
def show(name, xs):
    print(f"{name}: median {statistics.median(xs):.2f} s [min {min(xs):.2f} - max {max(xs):.2f}] over {len(xs)} turns")
show("floor (both trees listed)", floor)
show("program (compare walk of a against b)", program)
ratios = [p / f for p, f in zip(program, floor)]
print(f"ratio of medians {statistics.median(program) / statistics.median(floor):.2f} "
      f"(rounds' ratios: median {statistics.median(ratios):.2f}, {min(ratios):.2f}-{max(ratios):.2f}; goal <= 3)")
PY
