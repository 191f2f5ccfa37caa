#!/usr/bin/env bash
# setup.sh: installs what is missing, builds the program, prepares the Wine prefix and runs the program.
#
#   sudo bash scripts/setup.sh               the program (FolderZQ.exe, zqtotals), then runs it under Wine
#   sudo bash scripts/setup.sh --build-only  everything but the run
#   sudo bash scripts/setup.sh --tests       what the tests need, and the test trees (test.sh calls this)
#
# Every step checks first and skips what is already done, so a second run only rebuilds. Each build
# and the prefix print their wall and CPU seconds.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
source "$(dirname "${BASH_SOURCE[0]}")/phase-time.sh"

BUILD_ONLY=""
TESTS=""
for arg in "$@"; do
    case "$arg" in
        --build-only) BUILD_ONLY=1 ;;
        --tests) TESTS=1 BUILD_ONLY=1 ;;
        *) echo "usage: $0 [--build-only | --tests]" >&2; exit 2 ;;
    esac
done

# Wine and ImageMagick pull in dozens of recommended packages nothing here uses. GoogleTest's
# sources are small and the Windows tree, shared with the tests, configures them.
PACKAGES=(cmake ninja-build g++ googletest locales g++-mingw-w64-x86-64-posix fonts-wine
          xvfb xauth fonts-ipafont-gothic)
PACKAGES_WITHOUT_RECOMMENDS=(wine64 wine imagemagick)
# Only the tests and benchmarks use these: clang and its runtimes (the fuzz targets) are large.
TEST_PACKAGES=(python3 clang libclang-rt-14-dev bc)
[[ -z "$TESTS" ]] || PACKAGES+=("${TEST_PACKAGES[@]}")

step() { printf '\n== %s  [%s]\n' "$*" "$(date +%T)"; }

as_root() {
    if [[ $EUID -eq 0 ]]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "needs root for: $*" >&2
        return 1
    fi
}

missing_packages() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' ||
            echo "$package"
    done
}

install_missing_packages() {
    local missing missingWithoutRecommends
    missing=$(missing_packages "${PACKAGES[@]}")
    missingWithoutRecommends=$(missing_packages "${PACKAGES_WITHOUT_RECOMMENDS[@]}")
    [[ -z "$missing$missingWithoutRecommends" ]] && return 0
    step "installing" $missing $missingWithoutRecommends
    export DEBIAN_FRONTEND=noninteractive
    as_root apt-get update -q
    # shellcheck disable=SC2086  # word splitting of the package lists is intended
    [[ -z "$missing" ]] || as_root apt-get install -y -q $missing
    # shellcheck disable=SC2086
    [[ -z "$missingWithoutRecommends" ]] ||
        as_root apt-get install -y -q --no-install-recommends $missingWithoutRecommends
}

# An ungenerated locale silently falls back to English, and Wine then runs with code page 1252.
ensure_japanese_locale() {
    locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' && return 0
    step "generating the ja_JP.UTF-8 locale"
    if grep -q 'ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    else
        echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    fi
    as_root locale-gen
}

# build_tree NAME "TARGETS" CMAKE-ARGS...: configures build/NAME once, then builds TARGETS
# (blank-separated; "all" for everything).
build_tree() {
    local name="$1" targets="$2"
    shift 2
    local dir="$ZQ_BUILD/$name"
    step "building $name: $targets"
    zq_phase_begin
    if [[ ! -f "$dir/CMakeCache.txt" ]]; then
        local generator=()
        command -v ninja >/dev/null && generator=(-G Ninja)
        cmake -S "$ZQ_ROOT" -B "$dir" "${generator[@]}" "$@"
    fi
    # shellcheck disable=SC2086  # word splitting of the target list is intended
    cmake --build "$dir" -j2 --target $targets
    zq_phase_end "build $name"
}

# The Windows tree serves the program and the tests alike, so the tests build only what the
# program did not. The sanitized tree is where the core and the tools are tested on Linux; the
# plain native tree only holds zqtotals for the command line.
# Both compile their sources in batches of eight (a unity build): each batch parses <windows.h>, the
# standard library and GoogleTest once, which halves these trees' build time. The plain native tree
# compiles file by file, so a header missing from a source file still shows there.
UNITY_ARGS=(-DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=8)
WIN_ARGS=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE="$ZQ_ROOT/cmake/mingw-w64.cmake" "${UNITY_ARGS[@]}")

build_program() {
    build_tree native zqtotals -DCMAKE_BUILD_TYPE=RelWithDebInfo
    # zqdrive lets scripts/screenshot.sh wait for the window instead of guessing.
    build_tree win "FolderZQ zqtotals zqdrive" "${WIN_ARGS[@]}"
}

build_test_trees() {
    build_tree asan all -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQ_SANITIZE=ON "${UNITY_ARGS[@]}"
    build_tree win all "${WIN_ARGS[@]}"
}

# The registry settings every Wine run of the project depends on.
write_prefix_settings() {
    cat <<'EOF'
Windows Registry Editor Version 5.00

; Without these a crashing program exits with code 0 and passes as a success.
[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Auto"="1"
"Debugger"=""

; A crash dialog would block a headless run.
[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

; A virtual desktop gives windows their title bars without a window manager.
[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1280x800"

; Japanese UI fonts, as on a Japanese Windows.
[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS UI Gothic"="IPAPGothic"
"MS Gothic"="IPAGothic"
EOF
}

prepare_wine_prefix() {
    zq_enter_wine_env
    local settings="$WINEPREFIX/zq-settings.reg"
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        step "creating the Wine prefix $WINEPREFIX"
        rm -f "$settings"
        wineboot -i </dev/null >/dev/null 2>&1
        wineserver -w
    fi
    if ! write_prefix_settings | cmp -s - "$settings"; then
        step "applying the Wine prefix settings"
        write_prefix_settings >"$settings.new"
        wine regedit /S "$(zq_windows_path "$settings.new")" </dev/null >/dev/null 2>&1
        # The registry reaches the prefix's files when the server ends.
        wineserver -w
        mv "$settings.new" "$settings"
    fi
    # Debian's Wine does not find its own fonts: caption buttons would show letters.
    local font
    for font in /usr/share/wine/fonts/*; do
        [[ -e "$WINEPREFIX/drive_c/windows/Fonts/${font##*/}" ]] || cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
}

# The program runs in build/: its store folder goes there, and its help command finds the
# repository's readmeZQ.htm one folder up. Without a display (sudo usually drops DISPLAY) it runs
# on a private one and leaves a screenshot.
run_program() {
    local exe="$ZQ_BUILD/win/win/FolderZQ.exe"
    if [[ -n "${DISPLAY:-}" ]]; then
        step "FolderZQ.exe"
        (cd "$ZQ_BUILD" && wine "$exe" </dev/null)
    else
        step "FolderZQ.exe on a private display: screenshot in build/FolderZQ.png"
        bash "$ZQ_ROOT/scripts/screenshot.sh" --exe "$exe" --workdir "$ZQ_BUILD" "$ZQ_BUILD/FolderZQ.png"
    fi
}

main() {
    zq_phase_begin
    install_missing_packages
    ensure_japanese_locale
    zq_phase_end "packages"
    if [[ -n "$TESTS" ]]; then build_test_trees; else build_program; fi
    # The prefix changes HOME and the locale: a subshell keeps that away from the caller.
    zq_phase_begin
    (prepare_wine_prefix)
    zq_phase_end "wine prefix"
    [[ -n "$BUILD_ONLY" ]] || (zq_enter_wine_env && run_program)
}

main
