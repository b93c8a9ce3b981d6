#!/usr/bin/env bash
# The HTTP host under attack over loopback: 8 normal clients (wrk, one demo session each) on the
# demo's to-do page alone, then beside each attack for the same time:
#   - slow bodies: 2,000 posts of 1 MB sent a byte a second, and 250 posts of 16 MB of short
#     keys sent whole but the last byte;
#   - a connection flood: 2,000 idle connections reopened as soon as they are closed;
#   - a cookieless flood: wrk at 32 connections, a new session each request.
# The attackers come from 127.0.0.2 (wrk from 127.0.0.1), so the per-address cap meets them and
# not the normal clients. Prints p99, errors and non-2xx of the normal clients, the attacker's
# answers, and resident memory during and after each attack (every 10 s, a minute long).
# Usage: bench/host_attacks.sh [SECONDS per attack, default 20]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
port=18432
source bench/host_bench_setup.sh attack_clients

"$bin/flowform" demo --db "$work/demo.db" --listen 127.0.0.1:$port >"$work/server.log" 2>&1 &
server=$!
for _ in $(seq 100); do curl -s -o /dev/null "$url" && break; sleep 0.1; done
rss_mb() { awk '/^VmRSS/ {printf "%d", $2 / 1024}' "/proc/$server/status"; }
for _ in $(seq 8); do
  curl -s -o /dev/null -D - "$url" | tr -d '\r' | sed -n 's/^Set-Cookie: \([^;]*\).*/\1/p' >>"$work/cookies"
done

# The 8 normal clients for the attack's time; one line of their figures.
normal() {
  wrk -t2 -c8 -d"${seconds}s" --timeout 5s --latency -s bench/host_sessions.lua "$url" \
      -- "$work/cookies" 2 |
    awk -v label="$1" '
      /^ +99%/ {p99 = $2} /Requests\/sec/ {rps = $2}
      /Socket errors/ {errors = $0; sub(/.*Socket errors: /, "", errors)}
      /Non-2xx/ {non2xx = $NF}
      END {printf "%-16s %8s req/s  p99 %8s  non-2xx %s  socket errors: %s\n",
           label, rps, p99, (non2xx == "" ? 0 : non2xx), (errors == "" ? "none" : errors)}'
}

# Resident memory every 10 s for a minute after an attack.
after() {
  local line="  RSS after:"
  for t in 0 10 20 30 40 50 60; do
    line+=" ${t}s $(rss_mb) MB;"
    [[ $t -lt 60 ]] && sleep 10
  done
  echo "$line"
}

# Runs the normal clients beside an attack (a command in the background), with the RSS at
# its middle.
beside() {
  local label=$1; shift
  "$@" >"$work/attack.out" 2>&1 &
  local attack=$!
  sleep 1
  (sleep $((seconds / 2)); echo "  RSS during: $(rss_mb) MB" >"$work/during") &
  normal "$label"
  wait "$attack" || true
  cat "$work/during"
  sed 's/^/  attacker: /' "$work/attack.out"
  after
}

echo "== 8 normal clients, ${seconds}s each run; RSS at start: $(rss_mb) MB"
normal "alone"
beside "slow bodies" "$bin/bench/attack_clients" slow-bodies $port 127.0.0.2 2000 $((seconds + 2))
beside "conn. flood" "$bin/bench/attack_clients" flood $port 127.0.0.2 2000 $((seconds + 2))
# wrk's count of requests and answers other than 2xx.
flood() { wrk -t2 -c32 -d"$((seconds + 2))s" "$url" | grep -E "requests in|Non-2xx|errors"; }
beside "cookieless" flood
normal "alone again"
