#!/usr/bin/env bash
# CTest fixture: starts two loopback SOCKS 5 peers for the socket tests, one open and one that asks
# for user "user" and password "pass", and stops them again.
#   microsocks-fixture.sh start DIR   writes DIR/ports ("plain=N" and "auth=N" lines) and DIR/pids
#   microsocks-fixture.sh stop DIR
set -uo pipefail
action=$1
dir=$2

start_one() {  # start_one NAME [microsocks options]: picks a free port, retries on a taken one
  local name=$1
  shift
  for _ in $(seq 1 20); do
    local port=$((20000 + RANDOM % 30000))
    microsocks -i 127.0.0.1 -p "$port" "$@" >/dev/null 2>&1 &
    local pid=$!
    sleep 0.2
    if kill -0 "$pid" 2>/dev/null; then
      echo "$name=$port" >>"$dir/ports"
      echo "$pid" >>"$dir/pids"
      return 0
    fi
  done
  echo "microsocks did not start" >&2
  return 1
}

case "$action" in
  start)
    command -v microsocks >/dev/null || { echo "microsocks is not installed" >&2; exit 1; }
    mkdir -p "$dir"
    rm -f "$dir/ports" "$dir/pids"
    start_one plain && start_one auth -u user -P pass
    ;;
  stop)
    if [ -f "$dir/pids" ]; then
      while read -r pid; do kill "$pid" 2>/dev/null; done <"$dir/pids"
    fi
    rm -f "$dir/ports" "$dir/pids"
    ;;
esac
