#!/usr/bin/env bash
# The HTTP host under load over 127.0.0.1: builds a Release flowform, serves the demo database
# and prints figures for
#   - 8, 64 and 256 connections, one session per connection, on the demo's to-do page (wrk);
#   - the same page with 16 slow clients open (a head byte every 2 s);
#   - 200,000 requests without cookies: resident memory and the sessions' cost;
#   - the process time of a one-request render (the whole process, measured from outside).
# Usage: bench/host_load.sh [SECONDS per wrk run, default 10]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
port=18431
source bench/host_bench_setup.sh slow_clients

# Starts the server (arguments as flowform takes them) and waits for its first answer.
start() {
  "$bin/flowform" "$@" --listen 127.0.0.1:$port >"$work/server.log" 2>&1 &
  server=$!
  for _ in $(seq 100); do
    curl -s -o /dev/null "$url" && return
    sleep 0.1
  done
  echo "the server did not start:"; cat "$work/server.log"; exit 1
}
stop() { kill "$server"; wait "$server" 2>/dev/null || true; server=; }
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$server/status"; }

# One line of wrk's figures: requests a second, p50, p99, errors and time-outs.
wrk_line() {
  awk -v label="$1" '
    /Requests\/sec/ {rps = $2}
    /^ +50%/ {p50 = $2} /^ +99%/ {p99 = $2}
    /Socket errors/ {errors = $0; sub(/.*Socket errors: /, "", errors)}
    /Non-2xx/ {non2xx = $NF}
    END {printf "%-34s %9s req/s  p50 %8s  p99 %8s  non-2xx %s  socket errors: %s\n",
         label, rps, p50, p99, (non2xx == "" ? 0 : non2xx), (errors == "" ? "none" : errors)}'
}

echo "== demo page, one session per connection, ${seconds}s each"
start demo --db "$work/demo.db"
for c in 8 64 256; do
  : >"$work/cookies"
  for _ in $(seq "$c"); do
    curl -s -o /dev/null -D - "$url" | tr -d '\r' | sed -n 's/^Set-Cookie: \([^;]*\).*/\1/p' >>"$work/cookies"
  done
  # One wrk thread a connection: wrk cannot tie a cookie to a connection, and two connections of
  # one thread taking turns with the same cookies would wait on each other's session.
  wrk -t"$c" -c"$c" -d"${seconds}s" --latency -s bench/host_sessions.lua "$url" \
      -- "$work/cookies" "$c" | wrk_line "$c connections"
done

echo "== 8 connections while 16 slow clients send a head byte every 2 s"
"$bin/bench/slow_clients" $port 16 2000 $((seconds + 4)) &
slow=$!
sleep 2
wrk -t8 -c8 -d"${seconds}s" --latency -s bench/host_sessions.lua "$url" -- "$work/cookies" 8 |
    wrk_line "8 connections, 16 slow clients"
wait "$slow"
stop

echo "== 200,000 requests without cookies (serve, at most 100,000 sessions)"
start serve --connect "Provider=SQLite;Data Source=$work/demo.db" --event-log "$work/events.log"
before=$(rss_kb)
wrk -t4 -c64 -d30s -s bench/host_count.lua "$url" -- 25000 >"$work/wrk1"
first=$(rss_kb)
wrk -t4 -c64 -d30s -s bench/host_count.lua "$url" -- 25000 >"$work/wrk2"
second=$(rss_kb)
after=$(curl -s -o /dev/null -w '%{http_code}' "$url")
made=$(awk '/requests in/ {n += $1} END {print n}' "$work/wrk1" "$work/wrk2")
echo "requests made: $made; resident memory: ${before} kB at start, ${first} kB after 100,000," \
     "${second} kB after 200,000; about $(((first - before) * 1024 / 100000)) bytes a session;" \
     "answer after: $after"
stop

echo "== a one-request render, 200 runs (process time from exec to exit, perf stat)"
command -v perf >/dev/null || { apt-get update -qq && apt-get install -y -qq linux-perf; }
# Milliseconds of CPU per run of a command, as perf counts it.
per_run() { perf stat -r 200 -x, -e task-clock "$@" 2>&1 >/dev/null | tail -1 | cut -d, -f1; }
start demo --db "$work/render.db"  # a demo database as new, not one grown by the runs above
stop
render=$(per_run "$bin/flowform" render --connect "Provider=SQLite;Data Source=$work/render.db" \
    --query "BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2" --session UserName=zhangsan \
    --session DepartMentID=4)
echo "render of the to-do page: $render ms; for scale, /bin/true: $(per_run /bin/true) ms," \
     "flowform --help: $(per_run "$bin/flowform" --help) ms"
