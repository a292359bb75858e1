#!/usr/bin/env bash
# The batch converter against sox on one generated 44.1 kHz stereo 16-bit WAV: the converter's run
# (its real window under wine64, one Amplify 50 % row, WAV output; Finish to the end, tag copy
# included) and `sox IN OUT gain -6` (the whole process), their ratio, and the converter's peak working
# set for the file and for a 1-minute file (memory is bounded by the one-second chunk).
# usage: tools/bench/batch.sh [SECONDS (3600)] [TREE (build/x86_64)]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
SECONDS_LONG=${1:-3600}
TREE=${2:-$ROOT/build/x86_64}
DIR=$ROOT/build/bench-batch
# shellcheck source=tools/common.sh
source "$ROOT/tools/common.sh"

cmake --build "$TREE" --target capture_batch_benchmark >/dev/null
rm -rf "$DIR"
mkdir -p "$DIR/out-long" "$DIR/out-minute"
trap 'rm -rf "$DIR"' EXIT

# Noise at -12 dBFS: every sample differs, so nothing is cheaper than real audio.
sox -n -r 44100 -c 2 -b 16 "$DIR/long.wav" synth "$SECONDS_LONG" whitenoise gain -12
sox -n -r 44100 -c 2 -b 16 "$DIR/minute.wav" synth 60 whitenoise gain -12

run() {  # INPUT OUTPUT-FOLDER -> "seconds=... peak_mb=... failed=..."
  "$ROOT/tools/wine-test" "$TREE/bin/capture_batch_benchmark.exe" "$(winepath_of "$1")" "$(winepath_of "$2")" |
    grep -o 'seconds=.*'
}
field() { printf '%s\n' "$1" | tr ' ' '\n' | grep "^$2=" | cut -d= -f2; }

long=$(run "$DIR/long.wav" "$DIR/out-long")
minute=$(run "$DIR/minute.wav" "$DIR/out-minute")
start=$(date +%s.%N)
sox "$DIR/long.wav" "$DIR/sox.wav" gain -6
end=$(date +%s.%N)

awk -v s="$SECONDS_LONG" -v b="$(field "$long" seconds)" -v x="$(awk -v a="$start" -v e="$end" 'BEGIN { print e - a }')" \
    -v pl="$(field "$long" peak_mb)" -v pm="$(field "$minute" peak_mb)" 'BEGIN {
  printf "Batch converter, %d s of 44.1 kHz stereo WAV, Amplify 50 %%, WAV output\n", s
  printf "%-34s %10.2f s\n", "batch converter (wine64)", b
  printf "%-34s %10.2f s\n", "sox gain -6", x
  printf "%-34s %10.2f\n", "ratio converter / sox", b / x
  printf "%-34s %10.1f MB\n", "peak working set, this file", pl
  printf "%-34s %10.1f MB\n", "peak working set, 1-minute file", pm
  printf "%-34s %10.1f MB\n", "difference", pl - pm
}'
