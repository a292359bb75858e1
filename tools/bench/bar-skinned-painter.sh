#!/usr/bin/env bash
# The skinned painter's speed under wine64: a 1280-pixel top site with a toolbar of 30 large buttons
# (two-line captions, every third with a drop-down) and one of 20 buttons in button groups, painted over a filling skin; median and worst of
# 200 rounds against the 8 ms limit. Builds the benchmark in the x86_64 tree first.
# usage: tools/bench/bar-skinned-painter.sh [TREE (build/x86_64)]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
TREE=${1:-$ROOT/build/x86_64}
cmake --build "$TREE" --target bars_skinned_painter_benchmark >/dev/null
"$ROOT/tools/wine-test" "$TREE/bin/bars_skinned_painter_benchmark.exe"
