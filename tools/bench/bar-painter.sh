#!/usr/bin/env bash
# The Office11 painter's speed under wine64: a 1280-pixel top site with three toolbars of 20 items
# in mixed states, fitted, laid out and painted into a DIB, median and worst of 200 rounds against the
# 8 ms limit. Builds the benchmark in the x86_64 tree first.
# usage: tools/bench/bar-painter.sh [TREE (build/x86_64)]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
TREE=${1:-$ROOT/build/x86_64}
cmake --build "$TREE" --target bars_painter_benchmark >/dev/null
"$ROOT/tools/wine-test" "$TREE/bin/bars_painter_benchmark.exe"
