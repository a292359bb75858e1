#!/usr/bin/env bash
# The menu window's layout and paint speed under wine64: a 40-entry menu measured, laid out and
# painted into a DIB, median and worst of 200 rounds against the 8 ms limit. Builds the benchmark in
# the x86_64 tree first.
# usage: tools/bench/bar-menu.sh [TREE (build/x86_64)]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
TREE=${1:-$ROOT/build/x86_64}
cmake --build "$TREE" --target bars_menu_benchmark >/dev/null
"$ROOT/tools/wine-test" "$TREE/bin/bars_menu_benchmark.exe"
