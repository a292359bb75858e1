#!/usr/bin/env bash
# Installs what is missing, builds the host tree and both Windows targets, and runs every test
# under wine64 on a virtual display.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tools/common.sh
source "$ROOT/tools/common.sh"

ensure_packages
setup_ccache
build_host
build_x86_64
build_i686

# Keeps the audio benchmark working: one run on a 10-second signal, figures only, no limits enforced.
log "audio benchmark on a 10-second signal"
"$ROOT/tools/bench/audio-bench.sh" 10 "$ROOT/build/host" >&2

wine_env "$ROOT/build/wine-test"
ensure_prefix
FORCE_XVFB=1
unset DISPLAY
start_display
trap stop_services EXIT
start_wineserver
log "HTTP benchmark on a 10 MB file"
"$ROOT/tools/bench/http-vs-curl.sh" 10 "$ROOT/build/x86_64" >&2

log "batch converter benchmark on a 10-second file"
"$ROOT/tools/bench/batch.sh" 10 "$ROOT/build/x86_64" >&2

log "running tests"
status=0
ctest --test-dir "$ROOT/build/x86_64" -j"$(nproc)" --output-on-failure --timeout 600 || status=$?
exit "$status"
