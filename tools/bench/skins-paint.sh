#!/usr/bin/env bash
# The skinned controls' paint times under wine64: the main window's bottom row (a 1280 x 75 panel
# with five child panels and nineteen speed buttons) painted from cold caches against one 8 ms
# frame and from warm caches against 2 ms. Builds the benchmark in the x86_64 tree first.
# usage: tools/bench/skins-paint.sh [TREE (build/x86_64)]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
TREE=${1:-$ROOT/build/x86_64}
cmake --build "$TREE" --target skins_paint_benchmark >/dev/null
"$ROOT/tools/wine-test" "$TREE/bin/skins_paint_benchmark.exe"
