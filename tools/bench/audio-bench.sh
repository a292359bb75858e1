#!/usr/bin/env bash
# Measures the audio engine against the plain file and memory operations it is held to, on a
# generated 44.1 kHz stereo 16-bit WAV, and prints each ratio with its limit.
# usage: tools/bench/audio-bench.sh [SECONDS (3600)] [HOST_TREE (build/host)]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
LENGTH=${1:-3600}
TREE=${2:-$ROOT/build/host}
BIN=$TREE/bin
DIR=$ROOT/build/bench-audio
mkdir -p "$DIR"
FILE=$DIR/signal-$LENGTH.wav
OUT=$DIR/gain-$LENGTH.wav
[ -f "$FILE" ] || "$BIN/audiotool" make "$FILE" "$LENGTH"

# Best wall time in nanoseconds of three runs of a command (warm cache).
best_ns() {
  local best=0 start end
  for _ in 1 2 3; do
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    if [ "$best" -eq 0 ] || [ $((end - start)) -lt "$best" ]; then best=$((end - start)); fi
  done
  echo "$best"
}

cat "$FILE" >/dev/null
cat_ns=$(best_ns cat "$FILE")
draw_ns=$(best_ns "$BIN/audiotool" draw "$FILE")
gain_ns=$(best_ns "$BIN/audiotool" gain "$FILE" "$OUT" -6)
rm -f "$OUT"
# The same job by sox, when it is installed: open, amplify, save 16-bit, whole process.
sox_ns=0
if command -v sox >/dev/null; then
  sox_ns=$(best_ns sox "$FILE" "$OUT" gain -6)
  rm -f "$OUT"
fi

csv=$DIR/benchmark-$LENGTH.csv
AUDIO_BENCH_FILE=$FILE "$BIN/audio_benchmark" --benchmark_format=csv 2>/dev/null >"$csv"

awk -F, -v cat_ns="$cat_ns" -v draw_ns="$draw_ns" -v gain_ns="$gain_ns" -v sox_ns="$sox_ns" -v seconds="$LENGTH" '
  function ns(value, unit) {
    return value * (unit == "ns" ? 1 : unit == "us" ? 1e3 : unit == "ms" ? 1e6 : 1e9)
  }
  /^"BM_/ {
    name = $1; gsub(/"/, "", name); sub(/\/iterations:[0-9]+/, "", name)
    t[name] = ns($3, $5)
  }
  function row(label, value, limit) {
    printf "%-58s %8.2f  (limit %s)%s\n", label, value, limit, (value <= limit + 0 ? "" : "  OVER")
  }
  END {
    printf "audio engine on a %s s 44.1 kHz stereo 16-bit WAV\n", seconds
    row("audiotool draw / cat FILE", draw_ns / cat_ns, 3)
    row("open + overview / read through a 1 MiB buffer", t["BM_OpenAndOverview"] / t["BM_ReadFileReusedBuffer"], 3)
    split("whole,10 min,1 min,10 s,1280 frames", spans, ",")
    for (i = 0; i < 5; ++i)
      row("redraw " spans[i + 1] " / memset of the pixels", t["BM_RedrawHour/" i] / t["BM_MemsetPixels"], 10)
    for (i = 2; i < 5; ++i)
      row("redraw " spans[i + 1] ": long file / one-minute file", t["BM_RedrawHour/" i] / t["BM_RedrawMinute/" i], 1.5)
    row("Amplify whole document / memcpy of its floats", t["BM_AmplifyWhole"] / t["BM_MemcpyDocumentFloats"], 3)
    row("Undo+Redo: long file / one-minute file", t["BM_UndoRedoHour"] / t["BM_UndoRedoMinute"], 2)
    row("Undo+Redo / Amplify", t["BM_UndoRedoHour"] / t["BM_AmplifyWhole"], 0.01)
    printf "%-58s %8.2f s (reference: 4.7 s for the 1-hour file)\n", "audiotool gain FILE OUT -6", gain_ns / 1e9
    if (sox_ns > 0) {
      printf "%-58s %8.2f s\n", "sox FILE OUT gain -6", sox_ns / 1e9
      row("audiotool gain / sox gain", gain_ns / sox_ns, 1)
    } else {
      printf "%-58s %8s\n", "sox FILE OUT gain -6", "(sox not installed)"
    }
  }' "$csv"
