#!/usr/bin/env bash
# The custom-control base's frame under wine64: a 1280 x 800 control with both scroll bars and the
# size grip (Office11 painter) resized, its bars recalculated and painted in full, median and worst of
# 200 rounds against the 2 ms limit. Builds the benchmark in the x86_64 tree first.
# usage: tools/bench/control-frame.sh [TREE (build/x86_64)]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
TREE=${1:-$ROOT/build/x86_64}
cmake --build "$TREE" --target foundation_control_benchmark >/dev/null
"$ROOT/tools/wine-test" "$TREE/bin/foundation_control_benchmark.exe"
