#!/usr/bin/env bash
# tree.sh: a folder of 10,000 sub-folders in the program's tree under Wine, against a minimal
# FindFirstFileExW walk of the same folder measured in the same run.
#
#   bash bench/tree.sh [FOLDER]
#
# Prints the seconds the tree takes to open the folder and to aggregate it with every sub-folder
# shown (each gets its own walk, record and label), and the best of 3 walks by the minimal
# walker. Needs the build trees of scripts/setup.sh. Not a test: it only prints.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-env.sh"
FOLDER="${1:-$ZQ_BUILD/bench-wide}"
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
trap zq_stop_all EXIT
zq_start_xvfb
zq_start_wineserver
winFolder="$(zq_windows_path "$FOLDER")"
work=$(mktemp -d)
(cd "$work" && ZQ_WIDE_FOLDER="$winFolder" wine "$WIN/win/zqgui_tests.exe" --gtest_also_run_disabled_tests \
    --gtest_filter='*WideFolderTimings' | grep '^tree:')
rm -rf "$work"
best=""
for _ in 1 2 3; do
    start=$(date +%s.%N)
    wine "$WIN/bench/zq_findwalk.exe" "$winFolder" >/dev/null
    t=$(echo "$(date +%s.%N) - $start" | bc -l)
    if [[ -z "$best" ]] || (( $(echo "$t < $best" | bc -l) )); then best=$t; fi
done
printf 'minimal FindFirstFileExW walk of the same folder: %.3f s (best of 3, process start included)\n' "$best"
