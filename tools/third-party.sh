#!/usr/bin/env bash
# Builds the third-party libraries that Debian ships no mingw build of, from Debian's own source
# packages, into build/third_party/<tree> (tree = x86_64 or i686, named like the build trees), a link
# to a cache folder of the machine.
# A stamp per library records what it was built from, so a warm build does nothing.
#
#   tools/third-party.sh TREE [ROOT]
set -euo pipefail

TREE="$1"
ROOT="${2:-$(cd "$(dirname "$0")/.." && pwd)}"
case "$TREE" in
  x86_64) TOOLCHAIN="$ROOT/cmake/x86_64-w64-mingw32.cmake" ;;
  i686) TOOLCHAIN="$ROOT/cmake/i686-w64-mingw32.cmake" ;;
  *) echo "third-party.sh: unknown tree '$TREE'" >&2; exit 2 ;;
esac

# build/third_party points at a folder of the machine, so a fresh clone on the same machine (as CI
# makes) reuses what an earlier build made; the stamps and locks live there too.
MACHINE_CACHE="${THIRD_PARTY_CACHE:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/audio-editor-third-party}"
CACHE="$ROOT/build/third_party"
if [ ! -e "$CACHE" ]; then
  mkdir -p "$MACHINE_CACHE" "$ROOT/build"
  ln -s "$MACHINE_CACHE" "$CACHE"
fi
PREFIX="$CACHE/$TREE"
SOURCES="$CACHE/src"

log() { printf '== %s\n' "$*" >&2; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Adds deb-src to every "Types: deb" stanza of APT's deb822 list (or a deb-src twin of every deb
# line of a one-line list) when no source entry exists yet.
ensure_deb_src() {
  local deb822=/etc/apt/sources.list.d/debian.sources
  if grep -rqsE '^\s*(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return 0
  fi
  log "enabling deb-src entries"
  if [ -f "$deb822" ]; then
    as_root sed -i -E 's/^Types:\s*deb\s*$/Types: deb deb-src/' "$deb822"
  else
    as_root sed -i -E 'p; s/^deb(\s)/deb-src\1/' /etc/apt/sources.list
  fi
  as_root apt-get update -qq
}

# fetch_source PACKAGE: unpacks the package's upstream tarball once; prints the source folder.
fetch_source() {
  local package="$1" downloads="$CACHE/download"
  mkdir -p "$downloads" "$SOURCES"
  local orig
  orig=$(ls "$downloads/${package}_"*.orig.tar.* 2>/dev/null | head -n1 || true)
  if [ -z "$orig" ]; then
    ensure_deb_src
    log "downloading the $package source package"
    (cd "$downloads" && apt-get source --download-only -qq "$package" >/dev/null 2>&1) ||
      { as_root apt-get update -qq && (cd "$downloads" && apt-get source --download-only -qq "$package" >/dev/null); } ||
      true  # a missing upstream signature fails the command after the tarball has arrived
    orig=$(ls "$downloads/${package}_"*.orig.tar.* | head -n1)
  fi
  local version folder
  version=$(basename "$orig" | sed -E "s/^${package}_(.*)\.orig\.tar\..*$/\1/")
  folder="$SOURCES/$package-$version"
  if [ ! -f "$folder/.unpacked" ]; then
    rm -rf "$folder"
    mkdir -p "$folder"
    tar -xf "$orig" -C "$folder" --strip-components=1
    touch "$folder/.unpacked"
  fi
  printf '%s\n' "$folder"
}

# What a library's build depends on besides its source: this script and the toolchain file.
recipe_key() { cat "$0" "$TOOLCHAIN" | sha256sum | cut -c1-16; }

build_libjpeg_turbo() {
  local stamp="$PREFIX/.stamp-libjpeg-turbo" key
  key=$(recipe_key)
  [ "$(cat "$stamp" 2>/dev/null)" = "$key" ] && [ -f "$PREFIX/lib/libjpeg.a" ] && return 0

  local source work
  source=$(fetch_source libjpeg-turbo)
  work="$CACHE/work/libjpeg-turbo-$TREE"
  log "building libjpeg-turbo for $TREE"
  rm -rf "$work"
  mkdir -p "$CACHE/work"
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache)
  cmake -G Ninja -S "$source" -B "$work" \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_INSTALL_LIBDIR=lib -DCMAKE_INSTALL_INCLUDEDIR=include \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF \
    "${launcher[@]}" >"$work.log" 2>&1 || { cat "$work.log" >&2; exit 1; }
  # Only the library and its headers: the command-line tools are not needed.
  cmake --build "$work" --target jpeg-static >>"$work.log" 2>&1 || { cat "$work.log" >&2; exit 1; }
  mkdir -p "$PREFIX/lib" "$PREFIX/include"
  cp "$work/libjpeg.a" "$PREFIX/lib/libjpeg.a"
  cp "$source/jpeglib.h" "$source/jmorecfg.h" "$source/jerror.h" "$work/jconfig.h" "$PREFIX/include/"
  rm -rf "$work" "$work.log"
  echo "$key" >"$stamp"
}

# build_autotools PACKAGE LIBRARY [CONFIGURE-ARGS...]: a static autotools build of PACKAGE, built in a
# copy of its source (not every package builds out of tree) and installed into the prefix.
# MAKE_TARGETS, when set, narrows the build to the library; INSTALL_TARGETS then installs only it.
build_autotools() {
  local package="$1" library="$2"
  shift 2
  local stamp="$PREFIX/.stamp-$package" key
  key=$(recipe_key)
  [ "$(cat "$stamp" 2>/dev/null)" = "$key" ] && [ -f "$PREFIX/lib/$library" ] && return 0

  local source work host
  source=$(fetch_source "$package")
  work="$CACHE/work/$package-$TREE"
  host="$TREE-w64-mingw32"
  log "building $package for $TREE"
  rm -rf "$work"
  mkdir -p "$CACHE/work"
  cp -a "$source" "$work"
  local cc="$host-gcc-posix"
  command -v ccache >/dev/null && cc="ccache $cc"
  (cd "$work" &&
    ./configure --host="$host" --prefix="$PREFIX" --libdir="$PREFIX/lib" --includedir="$PREFIX/include" \
      --disable-shared --enable-static CC="$cc" CFLAGS="-O2" \
      PKG_CONFIG_LIBDIR="$PREFIX/lib/pkgconfig" "$@" &&
    make -j"$(nproc)" ${MAKE_TARGETS:-} &&
    make ${INSTALL_TARGETS:-install}) >"$work.log" 2>&1 || { cat "$work.log" >&2; exit 1; }
  rm -rf "$work" "$work.log"
  echo "$key" >"$stamp"
}

# The audio codecs: MP3 encoding and decoding, Ogg Vorbis; libraries only, without programs or docs.
build_audio_codecs() {
  build_autotools lame libmp3lame.a --disable-frontend --disable-decoder --disable-gtktest \
    --disable-analyzer-hooks
  build_autotools libogg libogg.a
  build_autotools libvorbis libvorbis.a --with-ogg="$PREFIX" --disable-oggtest --disable-docs \
    --disable-examples
  MAKE_TARGETS=src/libmpg123/libmpg123.la \
    INSTALL_TARGETS="install-libLTLIBRARIES install-includeHEADERS install-nodist_includeHEADERS" \
    build_autotools mpg123 libmpg123.a --with-cpu=generic --disable-modules --disable-network \
    --with-audio=dummy
}

# own-recipe: begin
# Libraries added after the shared recipe key was first stamped sit between "own-recipe" marker
# lines. The shared key leaves those lines out, so adding such a library rebuilds none of the others;
# each of them is keyed on the marked lines and the toolchain.
recipe_key() {
  sed '/^# own-recipe: begin$/,/^# own-recipe: end$/d' "$0" | cat - "$TOOLCHAIN" | sha256sum | cut -c1-16
}
own_recipe_key() {
  sed -n '/^# own-recipe: begin$/,/^# own-recipe: end$/p' "$0" | cat - "$TOOLCHAIN" | sha256sum | cut -c1-16
}

# The Musepack decoder (libmpcdec) from the libmpc source package. Its upstream tarball carries no
# configure script, so its few sources are compiled directly. The package's encoder is built as a
# program for the tests, which make their .mpc fixtures with it.
build_musepack() {
  local stamp="$PREFIX/.stamp-libmpc" key
  key=$(own_recipe_key)
  [ "$(cat "$stamp" 2>/dev/null)" = "$key" ] && [ -f "$PREFIX/lib/libmpcdec.a" ] &&
    [ -f "$PREFIX/bin/mpcenc.exe" ] && return 0

  local source work host
  source=$(fetch_source libmpc)
  work="$CACHE/work/libmpc-$TREE"
  host="$TREE-w64-mingw32"
  log "building libmpc for $TREE"
  rm -rf "$work"
  mkdir -p "$work/objects" "$PREFIX/lib" "$PREFIX/bin" "$PREFIX/include/mpc"
  local cc=("$host-gcc-posix")
  command -v ccache >/dev/null && cc=(ccache "$host-gcc-posix")
  (
    cd "$work/objects" &&
      "${cc[@]}" -O2 -w -I"$source/include" -c "$source"/libmpcdec/*.c "$source/common/crc32.c"         "$source/common/huffman-bcl.c" &&
      "$host-ar" rcs "$work/libmpcdec.a" ./*.o &&
      "${cc[@]}" -O2 -w -I"$source/include" -I"$source/libmpcenc" -I"$source/libmpcpsy" -DTRUE=1 -DFALSE=0         -o "$work/mpcenc.exe" "$source"/mpcenc/*.c "$source"/libmpcenc/*.c "$source"/libmpcpsy/*.c         "$source/common/crc32.c" "$source/common/huffman-bcl.c" "$source/common/fastmath.c"         "$source/common/tags.c" -static -lwinmm -lm
  ) >"$work.log" 2>&1 || { cat "$work.log" >&2; exit 1; }
  cp "$work/libmpcdec.a" "$PREFIX/lib/libmpcdec.a"
  cp "$work/mpcenc.exe" "$PREFIX/bin/mpcenc.exe"
  cp "$source"/include/mpc/*.h "$PREFIX/include/mpc/"
  rm -rf "$work" "$work.log"
  echo "$key" >"$stamp"
}
# own-recipe: end
mkdir -p "$PREFIX"
# One builder per tree at a time; concurrent builds of the same tree wait for the first.
exec 9>"$PREFIX.lock"
flock 9
build_libjpeg_turbo
build_audio_codecs
# own-recipe: begin
build_musepack
# own-recipe: end
