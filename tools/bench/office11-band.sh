#!/usr/bin/env bash
# The Office11 look's speed under wine64: a 1280 x 26 band (two-phase gradient, grip dots, 40 buttons
# in mixed states, the dotted size grip), median and worst of 200 paints against the 2 ms limit, and
# the band's plain gradient through GradientFill and in software. Builds the benchmark first.
# usage: tools/bench/office11-band.sh [TREE (build/x86_64)]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
TREE=${1:-$ROOT/build/x86_64}
cmake --build "$TREE" --target foundation_office11_benchmark >/dev/null
"$ROOT/tools/wine-test" "$TREE/bin/foundation_office11_benchmark.exe"
