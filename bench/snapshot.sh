#!/usr/bin/env bash
# snapshot.sh: a compare with a saved "Dir Info" of 1,000,000 records against the walk alone.
#
#   bash bench/snapshot.sh [ROUNDS] [TREE_DIR]
#
# Builds the 200,000-file, 20,000-folder tree of make_tree.py (kept between runs) and runs
# zq_snapshot_bench natively on it: the walk alone and walk + compare by turns, median and spread
# of each and their ratio (goal: at most 1.2). Not a test: it only prints.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-env.sh"
ROUNDS="${1:-5}"
TREE="${2:-$ZQ_BUILD/bench-tree}"
cmake --build "$ZQ_BUILD/native" -j2 --target zq_snapshot_bench >/dev/null
python3 "$(dirname "${BASH_SOURCE[0]}")/make_tree.py" "$TREE"
"$ZQ_BUILD/native/bench/zq_snapshot_bench" "$TREE" "$ROUNDS"
