#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it under Wine:  ./run.sh [file]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tools/common.sh
source "$ROOT/tools/common.sh"

ensure_packages
setup_ccache
build_host
build_x86_64

wine_env "$ROOT/build/wine-run"
ensure_prefix
trap stop_services EXIT
start_display

args=()
for a in "$@"; do
  if [ -e "$a" ]; then args+=("$(winepath_of "$(cd "$(dirname "$a")" && pwd)/$(basename "$a")")"); else args+=("$a"); fi
done
cd "$ROOT/build/x86_64/bin"
# The brand file beside the executable chooses the brand; the build draws splash.png beside it.
[ -f lame.dll ] || printf '[SYSTEM]\r\nName=Zentavo\r\nVersion=1.0\r\n' >lame.dll
"$WINE_LOADER" "$ROOT/build/x86_64/bin/AudioEditor.exe" "${args[@]+"${args[@]}"}"
