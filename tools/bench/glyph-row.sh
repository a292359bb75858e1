#!/usr/bin/env bash
# The glyph painter's speed under wine64: a 1280-pixel row of 40 image-list glyphs (half 16 x 16
# normal or disabled, half stretched 16 -> 32 through the software resampler), median and worst of
# 200 paints against the 2 ms limit. Builds the benchmark in the x86_64 tree first.
# usage: tools/bench/glyph-row.sh [TREE (build/x86_64)]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
TREE=${1:-$ROOT/build/x86_64}
cmake --build "$TREE" --target foundation_glyph_benchmark >/dev/null
"$ROOT/tools/wine-test" "$TREE/bin/foundation_glyph_benchmark.exe"
