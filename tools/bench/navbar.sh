#!/usr/bin/env bash
# The navigation bar's speed under wine64, against its limits:
# - each embedded skin read from its resource with its skin-info cache made (100 ms);
# - a 217 x 1280 view-0 bar of 6 groups and 25 links rebuilt and painted into its bitmap (8 ms);
# - the main window's two view-18 bars, then its whole view-17 pane hosting them, rebuilt and painted
#   (8 ms), and a scheme switch of those bars with their skins loaded (100 ms).
# Builds the benchmark in the x86_64 tree first.
# usage: tools/bench/navbar.sh [TREE (build/x86_64)]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
TREE=${1:-$ROOT/build/x86_64}
cmake --build "$TREE" --target navbar_benchmark >/dev/null
"$ROOT/tools/wine-test" "$TREE/bin/navbar_benchmark.exe"
