#!/usr/bin/env bash
# Decoding speed of the PNG core against the reference decoder on generated 2048 x 2048 images.
# Builds the benchmark in the host tree, runs it, and prints MB/s of decoded pixels per image and
# the ratio ours / reference. Extra arguments go to the benchmark (e.g. --benchmark_min_time=2).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=tools/common.sh
source "$ROOT/tools/common.sh"

ensure_packages
setup_ccache
TREE="${BENCH_TREE:-$ROOT/build/host}"  # BENCH_TREE picks another host tree
if [ ! -f "$TREE/build.ninja" ]; then
  cmake -G Ninja -S "$ROOT" -B "$TREE" -DCMAKE_BUILD_TYPE=Release -DHOST_TOOLS_DIR="$TREE/bin" >/dev/null
fi
cmake --build "$TREE" --target png_decode_benchmark >/dev/null

"$TREE/bin/png_decode_benchmark" --benchmark_min_time=1 "$@" | tee /dev/stderr | awk '
  /MBps=/ {
    split($1, name, "/")
    for (i = 1; i <= NF; i++) if ($i ~ /^MBps=/) { rate = $i; image = $(i + 1) }
    sub(/^MBps=/, "", rate); sub(/\/s$/, "", rate)
    speed[name[1], image] = rate
    if (!(image in seen)) { seen[image] = 1; order[++count] = image }
  }
  END {
    printf "\n%-12s %12s %12s %8s\n", "image", "ours MB/s", "ref MB/s", "ratio"
    for (k = 1; k <= count; k++) {
      im = order[k]
      printf "%-12s %12.1f %12.1f %8.2f\n", im, speed["Ours", im], speed["Reference", im], speed["Ours", im] / speed["Reference", im]
    }
  }'
