#!/usr/bin/env bash
# setup.sh: installs what is missing, builds the three trees, prepares the Wine prefix and runs the program.
#
#   sudo bash scripts/setup.sh               everything, then runs FolderZQ.exe under Wine
#   sudo bash scripts/setup.sh --build-only  everything but the run (test.sh calls this)
#
# Every step checks first and skips what is already done, so a second run only rebuilds.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

BUILD_ONLY=""
for arg in "$@"; do
    case "$arg" in
        --build-only) BUILD_ONLY=1 ;;
        *) echo "usage: $0 [--build-only]" >&2; exit 2 ;;
    esac
done

# Wine and ImageMagick pull in dozens of recommended packages nothing here uses.
PACKAGES=(cmake ninja-build g++ googletest locales g++-mingw-w64-x86-64-posix fonts-wine
          xvfb xauth fonts-ipafont-gothic python3 clang libclang-rt-14-dev bc)
PACKAGES_WITHOUT_RECOMMENDS=(wine64 wine imagemagick)

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

# build_tree NAME CMAKE-ARGS...: configures build/NAME once, then builds it.
build_tree() {
    local name="$1"
    shift
    local dir="$ZQ_BUILD/$name"
    step "building $name"
    if [[ ! -f "$dir/CMakeCache.txt" ]]; then
        local generator=()
        command -v ninja >/dev/null && generator=(-G Ninja)
        cmake -S "$ZQ_ROOT" -B "$dir" "${generator[@]}" "$@"
    fi
    cmake --build "$dir" -j2
}

build_all_trees() {
    build_tree native -DCMAKE_BUILD_TYPE=RelWithDebInfo
    build_tree asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQ_SANITIZE=ON
    build_tree win -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE="$ZQ_ROOT/cmake/mingw-w64.cmake"
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
    install_missing_packages
    ensure_japanese_locale
    build_all_trees
    # The prefix changes HOME and the locale: a subshell keeps that away from the caller.
    (
        prepare_wine_prefix
        [[ -n "$BUILD_ONLY" ]] || run_program
    )
}

main
