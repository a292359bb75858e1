#!/usr/bin/env bash
# The ribbon colour skins' speed under wine64: building and registering the three skins (100 ms
# limit), and the groups-area part repainted at an unchanged 1280 x 92 size against plain
# AlphaBlends of the same rendering (ratio limit 1.5). Builds the benchmark in the x86_64 tree first.
# usage: tools/bench/ribbon-skins.sh [TREE (build/x86_64)]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
TREE=${1:-$ROOT/build/x86_64}
cmake --build "$TREE" --target ribbon_skins_benchmark >/dev/null
"$ROOT/tools/wine-test" "$TREE/bin/ribbon_skins_benchmark.exe"
