#!/usr/bin/env bash
# The effect preview on the real main window under Wine: StartPreview of a one-minute 44.1 kHz stereo
# selection with Amplify beside the editor's own Amplify of it (limit: twice), and with Reverb and
# with the progress window shown. Builds the x86_64 tree's app_preview_benchmark and runs it through
# the test launcher (its own Xvfb and Wine prefix); exits non-zero when the limit is passed.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=tools/common.sh
source "$ROOT/tools/common.sh"

ensure_packages
setup_ccache
build_host
build_x86_64
cmake --build "$ROOT/build/x86_64" --target app_preview_benchmark >/dev/null
"$ROOT/tools/wine-test" "$ROOT/build/x86_64/bin/app_preview_benchmark.exe" "$@"
