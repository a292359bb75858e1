#!/usr/bin/env bash
# Download speed of the HTTP client under wine64 against curl, both fetching one generated file
# from a private nginx on 127.0.0.1. Prints the median of RUNS runs of each in MB/s (10^6 bytes per
# second, timed from the request's start to its completion) and the ratio client / curl.
# usage: tools/bench/http-vs-curl.sh [SIZE_MB (100)] [TREE (build/x86_64)] [RUNS (5)]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
SIZE_MB=${1:-100}
TREE=${2:-$ROOT/build/x86_64}
RUNS=${3:-5}
DIR=$ROOT/build/bench-http
FIXTURE=$ROOT/tests/net/http/nginx-fixture.sh

cmake --build "$TREE" --target http_get_benchmark >/dev/null
"$FIXTURE" start "$DIR" $((SIZE_MB * 1000000))
trap '"$FIXTURE" stop "$DIR"' EXIT
URL=http://127.0.0.1:$(cat "$DIR/port")/data.bin

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

client_log=$DIR/client.txt
"$ROOT/tools/wine-test" "$TREE/bin/http_get_benchmark.exe" "$URL" "$RUNS" | tee "$client_log" >&2
client=$(grep -o 'MBps=[0-9.]*' "$client_log" | cut -d= -f2 | median)

curl_rates=""
for _ in $(seq 1 "$RUNS"); do
  read -r bytes seconds < <(curl -s -o /dev/null -w '%{size_download} %{time_total}\n' "$URL")
  curl_rates+="$(awk -v b="$bytes" -v s="$seconds" 'BEGIN { printf "%.1f", b / 1e6 / s }')"$'\n'
done
curl=$(printf '%s' "$curl_rates" | median)

awk -v c="$client" -v r="$curl" -v mb="$SIZE_MB" -v n="$RUNS" 'BEGIN {
  printf "HTTP GET of %d MB from a local nginx, median of %d runs\n", mb, n
  printf "%-22s %10.1f MB/s\n", "client (wine64)", c
  printf "%-22s %10.1f MB/s\n", "curl", r
  printf "%-22s %10.2f\n", "ratio client / curl", c / r
}'
