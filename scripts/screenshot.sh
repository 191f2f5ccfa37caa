#!/usr/bin/env bash
# screenshot.sh: runs the Windows program under Xvfb + Wine in a scratch folder and saves a PNG of the screen.
#
#   bash scripts/screenshot.sh [options] OUTPUT.png
#
#   --exe PATH        the program (default build/win/win/FolderZQ.exe)
#   --args "ARGS"     its command line arguments
#   --workdir DIR     its current directory, where its store folder goes (default: a fresh
#                     folder under build/screenshot-work, removed afterwards)
#   --title PREFIX    title prefix of its main window (default "フォルダ ZQ")
#   --keep-tip        leave the start-up tip on the screen (default: answer it with Yes)
#   --command ID      post WM_COMMAND ID to the main window before the shot (repeatable)
#   --settle SECONDS  wait before the shot, after the last action (default 1)
#
# The program is ended afterwards with WM_CLOSE (what the close box does). Waiting and clicking go
# through build/win/tests/win/zqdrive.exe, so the shot is taken when the window is there, not
# after a guessed delay. Set ZQ_WINEPREFIX to use a Wine prefix other than build/wine-prefix,
# e.g. a private copy while someone else's tests run in the shared one: this script restarts
# the prefix's wineserver.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

EXE="$ZQ_BUILD/win/win/FolderZQ.exe"
DRIVE="$ZQ_BUILD/win/tests/win/zqdrive.exe"
ARGS=""
WORKDIR=""
TITLE="フォルダ ZQ"
KEEP_TIP=0
SETTLE=1
COMMANDS=()
OUTPUT=""
SCRATCH=""

usage() {
    sed -n '2,20p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

parse_args() {
    while [[ $# -gt 0 ]]; do
        case "$1" in
            --exe) EXE="$2"; shift 2 ;;
            --args) ARGS="$2"; shift 2 ;;
            --workdir) WORKDIR="$2"; shift 2 ;;
            --title) TITLE="$2"; shift 2 ;;
            --keep-tip) KEEP_TIP=1; shift ;;
            --command) COMMANDS+=("$2"); shift 2 ;;
            --settle) SETTLE="$2"; shift 2 ;;
            -h|--help) usage ;;
            -*) echo "unknown option $1" >&2; usage ;;
            *) OUTPUT="$1"; shift ;;
        esac
    done
    [[ -n "$OUTPUT" ]] || usage
    [[ -f "$EXE" ]] || { echo "no program at $EXE" >&2; exit 1; }
    [[ -f "$DRIVE" ]] || { echo "no $DRIVE: build the Windows tree first" >&2; exit 1; }
    OUTPUT="$(realpath -m "$OUTPUT")"
    EXE="$(realpath "$EXE")"
}

drive() {
    wine "$DRIVE" "$@" </dev/null
}

# Starts the program in the background from its working folder; sets PROGRAM_PID.
start_program() {
    local -a programArgs=()
    [[ -n "$ARGS" ]] && read -r -a programArgs <<<"$ARGS"
    (cd "$WORKDIR" && exec wine "$EXE" "${programArgs[@]}" </dev/null >/dev/null 2>&1) &
    PROGRAM_PID=$!
}

# Clicks Yes (6) on the start-up tip when one appears within a few seconds.
answer_tip() {
    [[ $KEEP_TIP -eq 1 ]] && return 0
    drive click "$TITLE" 6 5000 || echo "no start-up tip answered" >&2
}

post_commands() {
    local id
    for id in "${COMMANDS[@]+"${COMMANDS[@]}"}"; do
        drive command "$TITLE" "$id" || echo "command $id not posted" >&2
    done
}

end_program() {
    drive close "$TITLE" 15000 || echo "the main window did not close" >&2
    local tries
    for tries in $(seq 50); do
        kill -0 "$PROGRAM_PID" 2>/dev/null || return 0
        sleep 0.2
    done
    echo "the program did not end; its wineserver is ended with the display" >&2
}

run() {
    if [[ -z "$WORKDIR" ]]; then
        mkdir -p "$ZQ_BUILD/screenshot-work"
        SCRATCH="$(mktemp -d "$ZQ_BUILD/screenshot-work/run.XXXXXX")"
        WORKDIR="$SCRATCH"
    fi
    zq_enter_wine_env
    export WINEPREFIX="${ZQ_WINEPREFIX:-$WINEPREFIX}"
    trap 'zq_stop_all; if [[ -n "$SCRATCH" ]]; then rm -rf "$SCRATCH"; fi' EXIT
    zq_start_xvfb
    zq_start_wineserver
    start_program
    drive wait-window "$TITLE" 30000 || { echo "no window titled $TITLE..." >&2; exit 1; }
    answer_tip
    post_commands
    sleep "$SETTLE"
    /usr/bin/import -window root "$OUTPUT"
    end_program
    echo "saved $OUTPUT"
}

parse_args "$@"
run
