#!/usr/bin/env bash
# fuzz.sh: builds the fuzz targets of the store readers with clang and runs each one.
#
#   scripts/fuzz.sh [seconds-per-target]     (default 10)
#
# Each target starts from its committed seeds in fuzz/corpus/<target>/ and keeps what it finds in
# build/fuzz/corpus/<target>/; a crash leaves its input in build/fuzz/artifacts/. Exits non-zero
# when any target crashed or could not be built.
set -euo pipefail

SECONDS_PER_TARGET="${1:-10}"
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build/fuzz"
TARGETS=(fuzz_main_frame fuzz_tool_bar fuzz_child_windows fuzz_search_dialog fuzz_one_point fuzz_dir_info)

if [[ ! -f "$BUILD/build.ninja" ]]; then
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DZQ_FUZZ=ON -DBUILD_TESTING=OFF \
        -DCMAKE_UNITY_BUILD=ON >/dev/null
fi
cmake --build "$BUILD" --target zq_fuzzers

# run_target NAME: fuzzes one target for its seconds; its exit code is the target's.
run_target() {
    local target="$1"
    mkdir -p "$BUILD/corpus/$target"
    "$BUILD/fuzz/$target" -max_total_time="$SECONDS_PER_TARGET" -print_final_stats=1 \
        -artifact_prefix="$BUILD/artifacts/$target-" \
        "$BUILD/corpus/$target" "$ROOT/fuzz/corpus/$target" 2>"$BUILD/$target.log"
}

# Two targets at a time, one a core; each result is printed in the targets' order.
mkdir -p "$BUILD/artifacts"
declare -A pids
for target in "${TARGETS[@]}"; do
    (( $(jobs -rp | wc -l) < 2 )) || wait -n || true
    run_target "$target" &
    pids[$target]=$!
done
failed=()
for target in "${TARGETS[@]}"; do
    echo "== $target: ${SECONDS_PER_TARGET} s"
    if ! wait "${pids[$target]}"; then
        failed+=("$target")
        tail -n 40 "$BUILD/$target.log"
    fi
    grep -E '^stat::number_of_executed_units|^Done' "$BUILD/$target.log" || true
done

if (( ${#failed[@]} )); then
    echo "crashed: ${failed[*]}" >&2
    exit 1
fi
echo "all ${#TARGETS[@]} targets ran without a crash"
