#!/usr/bin/env bash
# test.sh: brings the test trees up to date and runs every test suite: the core and the tools natively
# under AddressSanitizer/UndefinedBehaviorSanitizer, Windows under Wine, the fuzz targets briefly,
# and the window layer's include order.
#
#   bash scripts/test.sh
#
# Exits non-zero when any build or test fails; ends with one summary line per suite and the wall
# and CPU seconds of every phase (each build, each ctest, fuzz).
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
source "$(dirname "${BASH_SOURCE[0]}")/phase-time.sh"

SUMMARY_FILE="$ZQ_BUILD/test-summary.txt"
# setup.sh adds its builds' lines here too.
export ZQ_PHASE_FILE="$ZQ_BUILD/test-phases.txt"

step() { printf '\n== %s  [%s]\n' "$*" "$(date +%T)"; }

# run_ctest NAME: runs the tests of build/NAME and records its summary line.
run_ctest() {
    local name="$1"
    local log="$ZQ_BUILD/ctest-$name.log"
    step "ctest $name"
    local status=0 started=$SECONDS
    zq_phase_begin
    ctest --test-dir "$ZQ_BUILD/$name" --output-on-failure --no-tests=error --timeout 600 -j2 \
        --output-log "$log" || status=$?
    zq_phase_end "ctest $name"
    local summary
    summary=$(grep -E 'tests passed|No tests were found' "$log" | tail -n 1 || true)
    printf '%-7s %s  (%d s%s)\n' "$name:" "${summary:-no summary}" $((SECONDS - started)) \
        "$([[ $status -eq 0 ]] || echo ", exit $status")" >>"$SUMMARY_FILE"
    return "$status"
}

# Any sanitizer report fails the test that caused it.
run_sanitized_tests() {
    ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1" \
    UBSAN_OPTIONS="halt_on_error=1:abort_on_error=1:print_stacktrace=1" \
        run_ctest asan
}

# A copy of the prepared prefix for the second half of the GUI tests, made again when the
# prefix's settings changed (a copy takes about two seconds, a new prefix fifteen).
copy_prefix_for_second_shard() {
    local copy="$WINEPREFIX-1"
    cmp -s "$WINEPREFIX/zq-settings.reg" "$copy/zq-settings.reg" && return 0
    rm -rf "$copy"
    cp -a "$WINEPREFIX" "$copy"
}

# GUI tests need a display, so the whole Windows run happens on a private Xvfb; one wineserver
# serves every test process and is ended afterwards. The GUI tests run in two halves side by
# side, the second on a display and a Wine prefix of its own (scripts/gui-shard.sh): both move
# the mouse and the focus, which one desktop has only once.
run_windows_tests() (
    zq_enter_wine_env
    trap zq_stop_all EXIT
    trap 'exit 130' INT TERM
    copy_prefix_for_second_shard
    local prefix shard=0
    for prefix in "$WINEPREFIX" "$WINEPREFIX-1"; do
        zq_start_xvfb || { echo "win:    Xvfb did not start" >>"$SUMMARY_FILE"; exit 1; }
        WINEPREFIX="$prefix" zq_start_wineserver || { echo "win:    Wine did not start" >>"$SUMMARY_FILE"; exit 1; }
        export "ZQ_GUI_SHARD_$shard=$DISPLAY $prefix"
        shard=$((shard + 1))
    done
    # Everything else runs on the first display and prefix.
    export DISPLAY="${ZQ_GUI_SHARD_0%% *}"
    run_ctest win
)

# Each reader of stored files is fuzzed briefly from its committed seeds; a crash fails the run.
run_fuzz_smoke() {
    step "fuzz (short runs)"
    local status=0 started=$SECONDS
    zq_phase_begin
    bash "$ZQ_ROOT/scripts/fuzz.sh" "${ZQ_FUZZ_SECONDS:-5}" || status=$?
    zq_phase_end fuzz
    printf '%-7s %s  (%d s)\n' "fuzz:" "$([[ $status -eq 0 ]] && echo "every target ran without a crash" || echo "a target crashed (exit $status)")" \
        $((SECONDS - started)) >>"$SUMMARY_FILE"
    return "$status"
}

# The window layer includes one way; a new circle fails the run.
run_include_check() {
    step "include order of win/"
    local status=0 result
    result=$(python3 "$ZQ_ROOT/scripts/check_win_includes.py" "$ZQ_ROOT") || status=$?
    echo "$result"
    printf '%-7s %s\n' "include:" "$(tail -n 1 <<<"$result")" >>"$SUMMARY_FILE"
    return "$status"
}

main() {
    mkdir -p "$ZQ_BUILD"
    : >"$ZQ_PHASE_FILE"
    bash "$ZQ_ROOT/scripts/setup.sh" --tests
    : >"$SUMMARY_FILE"
    local failed=0
    run_include_check || failed=1
    run_sanitized_tests || failed=1
    run_windows_tests || failed=1
    run_fuzz_smoke || failed=1
    step "summary"
    cat "$SUMMARY_FILE"
    cat "$ZQ_PHASE_FILE"
    echo "test.sh took $SECONDS s"
    if [[ $failed -ne 0 ]]; then
        echo "FAILED"
        return 1
    fi
    echo "all test suites passed"
}

main
