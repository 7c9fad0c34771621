#!/usr/bin/env bash
# Tests packaging/nginx-trundlex.conf over loopback: Debian's nginx, with a certificate made
# here, terminates TLS in front of a room host's HTTP side (serve --rooms --http-port), as
# README's "Hosting online games" sets it up. Needs build/bin/trundlex-tool (or LINUX_BUILD).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
linux="${LINUX_BUILD:-$root/build}"
nginx="$(command -v nginx || echo /usr/sbin/nginx)"
if [ ! -x "$nginx" ]; then
  echo "nginx: skipped, nginx is not installed (scripts/install-deps.sh does it)"
  exit 0
fi
work="$(mktemp -d)"
host=""
proxy=""
cleanup() {
  for pid in $proxy $host; do
    if kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "test-nginx: $*" >&2
  [ -f "$work/error.log" ] && sed 's/^/nginx: /' "$work/error.log" >&2
  [ -f "$work/host.log" ] && sed 's/^/host: /' "$work/host.log" >&2
  exit 1
}
free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

mkdir -p "$work/web"
printf '<!doctype html><title>Trundlex</title>\n' > "$work/web/index.html"
openssl req -x509 -nodes -newkey rsa:2048 -days 1 -subj "/CN=localhost" \
  -addext "subjectAltName=DNS:localhost,IP:127.0.0.1" \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null

"$linux/bin/trundlex-tool" serve --rooms --port 0 --http-port 0 --http-address 127.0.0.1 \
  --web "$work/web" > "$work/host.log" 2>&1 &
host=$!
web=""
for _ in $(seq 1 100); do
  web="$(sed -nE 's/^[0-9T:.-]+Z listening http ([0-9]+)$/\1/p' "$work/host.log")"
  [ -n "$web" ] && break
  sleep 0.1
done
[ -n "$web" ] || fail "the host gave no HTTP port: $(cat "$work/host.log")"

# The shipped site, as an operator would adapt it: this test's certificate, ports and host.
https="$(free_port)"
plain="$(free_port)"
sed -e "s|/etc/letsencrypt/live/golf.example.org/fullchain.pem|$work/cert.pem|" \
    -e "s|/etc/letsencrypt/live/golf.example.org/privkey.pem|$work/key.pem|" \
    -e "s|server 127.0.0.1:8080;|server 127.0.0.1:$web;|" \
    -e "s|listen 443 ssl http2;|listen 127.0.0.1:$https ssl http2;|" \
    -e "s|listen 80;|listen 127.0.0.1:$plain;|" \
    -e "/listen \[::\]/d" \
    -e "s|golf.example.org|localhost|g" \
    "$root/packaging/nginx-trundlex.conf" > "$work/site.conf"
cat > "$work/nginx.conf" <<CONF
daemon off;
pid $work/nginx.pid;
error_log $work/error.log;
events {}
http {
  access_log off;
  client_body_temp_path $work/body;
  proxy_temp_path $work/proxy;
  fastcgi_temp_path $work/fastcgi;
  uwsgi_temp_path $work/uwsgi;
  scgi_temp_path $work/scgi;
  include $work/site.conf;
}
CONF
"$nginx" -t -p "$work" -c "$work/nginx.conf" 2>"$work/check.log" || fail "the shipped site does not load: $(cat "$work/check.log")"
"$nginx" -p "$work" -c "$work/nginx.conf" 2>>"$work/error.log" &
proxy=$!
for _ in $(seq 1 100); do
  curl -s -o /dev/null --cacert "$work/cert.pem" "https://localhost:$https/healthz" && break
  sleep 0.1
done

page="$(curl -sS --cacert "$work/cert.pem" "https://localhost:$https/")" || fail "no page over https"
[ "$page" = "<!doctype html><title>Trundlex</title>" ] || fail "the page over https: $page"
health="$(curl -sS --cacert "$work/cert.pem" "https://localhost:$https/healthz")"
[ "$health" = "ok" ] || fail "/healthz over https: $health"
status="$(curl -s -o /dev/null -w '%{http_code}' --cacert "$work/cert.pem" "https://localhost:$https/%2e%2e/etc/passwd")"
[ "$status" = "404" ] || [ "$status" = "400" ] || fail "a path out of the folder over https: $status"
status="$(curl -s -o /dev/null -w '%{http_code}' --cacert "$work/cert.pem" --data 'x' "https://localhost:$https/")"
[ "$status" = "413" ] || [ "$status" = "405" ] || fail "a request with a body over https: $status"
redirect="$(curl -s -o /dev/null -w '%{http_code} %{redirect_url}' "http://localhost:$plain/x")"
[ "$redirect" = "301 https://localhost/x" ] || fail "plain http: $redirect"
# The game's WebSocket through the proxy (wss): the upgrade reaches the host and is taken.
key="dGhlIHNhbXBsZSBub25jZQ=="
upgrade="$(printf 'GET /play HTTP/1.1\r\nHost: localhost:%s\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: %s\r\nSec-WebSocket-Version: 13\r\nOrigin: https://localhost\r\n\r\n' "$https" "$key" |
  timeout 5 openssl s_client -quiet -connect "127.0.0.1:$https" -servername localhost \
    -CAfile "$work/cert.pem" 2>/dev/null | head -1 | tr -d '\r' || true)"
[ "$upgrade" = "HTTP/1.1 101 Switching Protocols" ] || fail "no WebSocket over wss: '$upgrade'"
echo "nginx: the shipped TLS site serves the page, health and the game's WebSocket over https and wss, and sends http to https"
