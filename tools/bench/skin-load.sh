#!/usr/bin/env bash
# The skin manager's load speed under wine64: the internal skin from its archive bytes to ready
# indexes, with Saturation 0 and -100, median and worst of 50 loads against the 30 ms limit.
# Builds the benchmark in the x86_64 tree first.
# usage: tools/bench/skin-load.sh [TREE (build/x86_64)]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
TREE=${1:-$ROOT/build/x86_64}
cmake --build "$TREE" --target skins_load_benchmark >/dev/null
"$ROOT/tools/wine-test" "$TREE/bin/skins_load_benchmark.exe"
