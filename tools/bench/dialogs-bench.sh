#!/usr/bin/env bash
# Paint times of the dialogs' slider under Wine: a full paint of the three-value slider and the
# equalizer's repaint after a preset, each against the 8 ms frame. Builds the x86_64 tree's
# dialogs_benchmark and runs it through the test launcher (its own Xvfb and Wine prefix).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=tools/common.sh
source "$ROOT/tools/common.sh"

ensure_packages
setup_ccache
build_host
build_x86_64
cmake --build "$ROOT/build/x86_64" --target dialogs_benchmark >/dev/null
"$ROOT/tools/wine-test" "$ROOT/build/x86_64/bin/dialogs_benchmark.exe"
