#!/usr/bin/env bash
# The skinning library's speed under wine64, against its limits:
# - the skin manager's load: the internal skin from its archive bytes to ready indexes, with
#   Saturation 0 and -100, median and worst of 50 loads against the 30 ms limit;
# - the skinned controls' paint: the main window's bottom row (a 1280 x 75 panel with five child
#   panels and nineteen speed buttons) from cold caches against 8 ms and from warm caches against
#   2 ms, and the same row printed into a bitmap (the controls' own work, no window painting);
# - a 200 x 16 skinned gauge repainted after a Progress change against 1 ms, and a comic-callout
#   hint with its shadow composed into its layered image against 8 ms;
# - the non-client paint of a 300 x 400 list box whose vertical bar is drawn from the skin by its
#   scroll window object, against 2 ms;
# - a 1280 x 800 skinned form's frame built and painted against 8 ms, and one caption button's
#   hover repaint against 1 ms;
# - then the warm row timed in turn with rows of the same size that show the window system's share:
#   plain framework panels and speed buttons, six framework windows that only fill themselves, and
#   six bare windows with no framework at all.
# Builds the benchmarks in the x86_64 tree first.
# usage: tools/bench/skin-load.sh [TREE (build/x86_64)]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
TREE=${1:-$ROOT/build/x86_64}
cmake --build "$TREE" --target skins_load_benchmark skins_paint_benchmark >/dev/null
status=0
"$ROOT/tools/wine-test" "$TREE/bin/skins_load_benchmark.exe" || status=$?
"$ROOT/tools/wine-test" "$TREE/bin/skins_paint_benchmark.exe" || status=$?
exit "$status"
