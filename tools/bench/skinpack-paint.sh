#!/usr/bin/env bash
# The themed form's paint speed under wine64: a 1280 x 800 form with title bar and menu bar, with
# the DeepBlue style and with the generated test theme, median and worst of 100 full paints against
# the 8 ms limit. Builds the benchmark in the x86_64 tree first.
# usage: tools/bench/skinpack-paint.sh [TREE (build/x86_64)]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
TREE=${1:-$ROOT/build/x86_64}
cmake --build "$TREE" --target skinpack_paint_benchmark >/dev/null
"$ROOT/tools/wine-test" "$TREE/bin/skinpack_paint_benchmark.exe"
