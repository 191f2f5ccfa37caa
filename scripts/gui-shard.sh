#!/usr/bin/env bash
# gui-shard.sh INDEX COUNT EXE: runs one of COUNT shares of a GoogleTest program under Wine (ctest
# runs the GUI tests this way).
#
# scripts/test.sh gives each share a display and a Wine prefix of its own in ZQ_GUI_SHARD_<INDEX>
# ("DISPLAY PREFIX"), so that the shares run side by side. Without it the shares share the one
# display, where they would take the mouse and the focus from each other: they take turns instead.
set -euo pipefail

index="$1" count="$2" exe="$3"
export GTEST_SHARD_INDEX="$index" GTEST_TOTAL_SHARDS="$count"
slot="ZQ_GUI_SHARD_$index"
if [[ -n "${!slot:-}" ]]; then
    read -r DISPLAY WINEPREFIX <<<"${!slot}"
    export DISPLAY WINEPREFIX
    exec wine "$exe"
fi
exec flock "${TMPDIR:-/tmp}/zq-gui-display${DISPLAY:-none}.lock" wine "$exe"
