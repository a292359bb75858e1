#!/usr/bin/env bash
# CTest fixture: a private nginx on a free loopback port serving a generated folder, for the HTTP
# client's real-server tests and its benchmark.
#   nginx-fixture.sh start DIR [SIZE]  generates DIR/www (data.bin of SIZE bytes, default 3000000,
#                                      and dir/index.html), writes DIR/nginx.conf and DIR/port
#   nginx-fixture.sh stop DIR
set -uo pipefail
action=$1
dir=$(mkdir -p "$2" && cd "$2" && pwd)
size=${3:-3000000}
NGINX=${NGINX:-/usr/sbin/nginx}

write_config() {  # write_config PORT
  # Workers run as the caller (nginx ignores "user" when not started by root), so the served folder
  # needs no permissions for anybody else.
  cat >"$dir/nginx.conf" <<CONF
daemon off;
user $(id -un) $(id -gn);
worker_processes 1;
pid $dir/nginx.pid;
error_log $dir/error.log;
events { worker_connections 64; }
http {
  access_log off;
  sendfile on;
  client_body_temp_path $dir/temp/body;
  proxy_temp_path $dir/temp/proxy;
  fastcgi_temp_path $dir/temp/fastcgi;
  uwsgi_temp_path $dir/temp/uwsgi;
  scgi_temp_path $dir/temp/scgi;
  types { text/html html; application/octet-stream bin; }
  default_type application/octet-stream;
  server {
    listen 127.0.0.1:$1;
    root $dir/www;
  }
}
CONF
}

start() {
  [ -x "$NGINX" ] || { echo "nginx is not installed ($NGINX)" >&2; exit 1; }
  stop
  mkdir -p "$dir/www/dir" "$dir/temp"
  chmod 755 "$dir" "$dir/www" "$dir/www/dir"
  if [ ! -f "$dir/www/data.bin" ] || [ "$(stat -c %s "$dir/www/data.bin")" != "$size" ]; then
    head -c "$size" /dev/urandom >"$dir/www/data.bin"
  fi
  echo "<html><body>dir</body></html>" >"$dir/www/dir/index.html"
  chmod 644 "$dir/www/data.bin" "$dir/www/dir/index.html"
  for _ in $(seq 1 20); do
    local port=$((20000 + RANDOM % 30000))
    write_config "$port"
    "$NGINX" -p "$dir" -c "$dir/nginx.conf" -e "$dir/error.log" >/dev/null 2>&1 &
    local pid=$!
    for _ in $(seq 1 20); do
      sleep 0.1
      if ! kill -0 "$pid" 2>/dev/null; then break; fi
      if [ -s "$dir/nginx.pid" ]; then
        echo "$pid" >"$dir/master.pid"
        echo "$port" >"$dir/port"
        return 0
      fi
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  echo "nginx did not start; see $dir/error.log" >&2
  exit 1
}

stop() {
  if [ -f "$dir/master.pid" ]; then
    local pid
    pid=$(cat "$dir/master.pid")
    kill "$pid" 2>/dev/null
    for _ in $(seq 1 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -f "$dir/master.pid" "$dir/port"
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop DIR [SIZE]" >&2; exit 2 ;;
esac
