# Shared by run.sh and test.sh: package installation, the builds, the X display and the wineserver.
# Sourced; expects ROOT to be the checkout.

PACKAGES=(cmake ninja-build ccache g++ g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 xvfb googletest libbenchmark-dev dpkg-dev libz-mingw-w64-dev zlib1g-dev libpng-dev
  libmp3lame-dev libmpg123-dev libvorbis-dev libogg-dev libmpcdec-dev microsocks netbase nginx-light curl sox
  musepack-tools)

log() { printf '== %s\n' "$*" >&2; }

ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

setup_ccache() {
  # A fresh clone elsewhere on this machine hits the same cache: paths are made relative to ROOT.
  export CCACHE_BASEDIR="$ROOT"
  export CCACHE_NOHASHDIR=1
  export CCACHE_COMPILERCHECK=content
  export CCACHE_SLOPPINESS=time_macros,include_file_mtime,include_file_ctime
  ccache --max-size=5G >/dev/null 2>&1 || true
}

# configure_and_build TREE [toolchain-file]
configure_and_build() {
  local tree="$1" toolchain="${2:-}"
  local dir="$ROOT/build/$tree"
  local args=(-G Ninja -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DHOST_TOOLS_DIR="$ROOT/build/host/bin")
  [ -n "$toolchain" ] && args+=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$toolchain")
  if [ ! -f "$dir/build.ninja" ]; then
    log "configuring $tree"
    cmake "${args[@]}" >/dev/null
  fi
  log "building $tree"
  local rc=0
  cmake --build "$dir" -- -k 0 >"$dir/last-build.log" 2>&1 || rc=$?
  # Warnings and errors only; the progress lines of a full build would fill the log.
  grep -v -E '^\[[0-9]+/[0-9]+\] ' "$dir/last-build.log" | grep -v -E '^ninja: (Entering|no work)' || true
  return "$rc"
}

build_host() { configure_and_build host; }
# The Windows trees link third-party libraries built from Debian's source packages (cached, stamped).
build_x86_64() { "$ROOT/tools/third-party.sh" x86_64 "$ROOT" && configure_and_build x86_64 x86_64-w64-mingw32.cmake; }
build_i686() { "$ROOT/tools/third-party.sh" i686 "$ROOT" && configure_and_build i686 i686-w64-mingw32.cmake; }

WINE_LOADER=/usr/lib/wine/wine64
WINE_SERVER=/usr/lib/wine/wineserver64
[ -x "$WINE_SERVER" ] || WINE_SERVER=/usr/lib/wine/wineserver

# wine_env PREFIX: the environment every Wine call of the project uses.
wine_env() {
  export WINEPREFIX="$1"
  export WINEARCH=win64
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINELOADER="$WINE_LOADER"
  export WINESERVER="$WINE_SERVER"
}

# ensure_prefix: creates $WINEPREFIX once, and again when the settings file changes.
ensure_prefix() {
  local settings="$ROOT/tools/wine-prefix.reg"
  local stamp
  stamp=$(sha256sum <"$settings" | cut -c1-16)
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ "$(cat "$WINEPREFIX/.stamp" 2>/dev/null)" != "$stamp" ]; then
      log "creating Wine prefix $WINEPREFIX"
      "$WINE_SERVER" -k >/dev/null 2>&1 || true
      rm -rf "$WINEPREFIX"
      DISPLAY= "$WINE_LOADER" wineboot -i >/dev/null 2>&1
      DISPLAY= "$WINE_LOADER" regedit /S "$(winepath_of "$settings")" >/dev/null 2>&1
      "$WINE_SERVER" -w >/dev/null 2>&1
      echo "$stamp" > "$WINEPREFIX/.stamp"
    fi
  ) 9>"$WINEPREFIX.lock"
}

# A Linux path as Wine sees it (drive Z: maps to /).
winepath_of() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }

XVFB_PID=""
SERVER_STARTED=""

# start_display: uses $DISPLAY when it answers, else starts Xvfb at 24-bit depth.
start_display() {
  if [ -n "${DISPLAY:-}" ] && [ "${FORCE_XVFB:-}" != 1 ]; then return 0; fi
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local number
  read -r -t 20 number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$number" ]; then
    log "Xvfb did not start"
    return 1
  fi
  export DISPLAY=":$number"
}

# start_wineserver: one persistent server for the prefix, so each test starts in a fraction of a second.
start_wineserver() {
  "$WINE_SERVER" -p >/dev/null 2>&1 </dev/null && SERVER_STARTED=1
  return 0
}

stop_services() {
  if [ -n "$SERVER_STARTED" ]; then
    "$WINE_SERVER" -k >/dev/null 2>&1 </dev/null || true
    SERVER_STARTED=""
  fi
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}
