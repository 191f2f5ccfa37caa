# wine-env.sh: the environment for running the Windows build under Wine; sourced by setup.sh and test.sh.
#
# Sourcing only defines variables and functions. zq_enter_wine_env switches this shell to the
# project's own Wine prefix and sandboxed HOME (everything stays inside build/), zq_start_xvfb gives
# it a display of its own, zq_start_wineserver keeps one wineserver (and, with a display, the
# virtual desktop) alive for a series of Wine runs, and zq_stop_all ends whatever of these this
# shell started.

ZQ_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ZQ_BUILD="$ZQ_ROOT/build"
# What this shell started, to end it again: Xvfb processes, and the prefixes of wineservers.
ZQ_XVFB_PIDS=()
ZQ_WINESERVER_PREFIXES=()

zq_enter_wine_env() {
    export WINEPREFIX="$ZQ_BUILD/wine-prefix" WINEARCH=win64 WINEDEBUG=-all
    # No Mono/Gecko installer prompts, no menu entries written outside the sandbox.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # Wine links the Windows profile folders into $HOME and trashes files into XDG_DATA_HOME.
    export HOME="$ZQ_BUILD/home" XDG_DATA_HOME="$ZQ_BUILD/home/.local/share"
    mkdir -p "$XDG_DATA_HOME"
    # Japanese code page (932) and ja-JP formats; an LC_ALL would override them.
    export LANG=ja_JP.UTF-8
    unset LC_ALL
}

# Windows path of a Linux path, through Wine's Z: drive (Z:\ is /).
zq_windows_path() {
    local path
    path="$(realpath -m "$1")"
    printf 'Z:%s\n' "${path//\//\\}"
}

# Starts an Xvfb on a display number it picks itself and exports DISPLAY.
zq_start_xvfb() {
    local displayFile="$ZQ_BUILD/.xvfb-display"
    : >"$displayFile"
    Xvfb -displayfd 9 -screen 0 1280x800x24 -nolisten tcp 9>"$displayFile" </dev/null >/dev/null 2>&1 &
    local pid=$!
    ZQ_XVFB_PIDS+=("$pid")
    local tries
    for tries in $(seq 100); do
        if [[ -s "$displayFile" ]]; then
            export DISPLAY=":$(tr -d '[:space:]' <"$displayFile")"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "Xvfb did not start" >&2
    return 1
}

zq_stop_xvfb() {
    local pid
    for pid in "${ZQ_XVFB_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    ZQ_XVFB_PIDS=()
}

# One persistent wineserver for a series of runs: each Wine process then starts in a fraction of a
# second, and Wine's services, started once here, do not hold the test runner's output pipes open.
# Its output goes to /dev/null: an endless wineserver on a pipe would keep the reader waiting forever.
zq_start_wineserver() {
    # A server still ending from an earlier run can refuse the first start: one more try.
    zq_try_start_wineserver && return 0
    echo "Wine did not start; trying once more" >&2
    sleep 2
    zq_try_start_wineserver && return 0
    echo "Wine did not start" >&2
    return 1
}

zq_try_start_wineserver() {
    # A lingering server started without this display would capture every GUI program started later.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    wineserver -p </dev/null >/dev/null 2>&1 || return 1
    ZQ_WINESERVER_PREFIXES+=("$WINEPREFIX")
    wine cmd /c exit </dev/null >/dev/null 2>&1 || return 1
    [[ -z "${DISPLAY:-}" ]] || zq_start_desktop
}

# The virtual desktop's explorer.exe, started by hand, stays until the server ends. Left to start
# on demand, it would inherit the output pipe of the first GUI test and hold it open for as long
# as any other test still runs. GetDesktopWindow returns once the desktop is ready.
zq_start_desktop() {
    wine explorer /desktop=Default,1280x800 </dev/null >/dev/null 2>&1 &
    wine rundll32 user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1
}

zq_stop_wineserver() {
    local prefix
    for prefix in "${ZQ_WINESERVER_PREFIXES[@]}"; do
        WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
        WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1 || true
    done
    ZQ_WINESERVER_PREFIXES=()
}

zq_stop_all() {
    zq_stop_wineserver
    zq_stop_xvfb
}
