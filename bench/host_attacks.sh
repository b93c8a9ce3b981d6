#!/usr/bin/env bash
# The HTTP host under attack over loopback: 8 normal clients (wrk, one demo session each) on the
# demo's to-do page alone, then beside each attack for the same time:
#   - slow bodies, cut by the minimum rate: 2,000 posts of 1 MB sent a byte a second, and 250
#     posts of 16 MB of short keys sent whole but the last byte;
#   - a connection flood: 2,000 idle connections reopened as soon as they are closed;
#   - a cookieless flood: wrk at 32 connections, a new session each request (the demo signs
#     each in, but a session whose cookie never comes back stays under the anonymous cap);
#   - a body budget hog: 8 heads announcing 16 MB bodies that never come, reopened when cut;
#   - a chunked trickle: 64 chunked posts, a byte a second each;
#   - 16 MB bodies: 8 posts of a 16 MB form body at once from 8 addresses, round after round;
#   - heads to refuse, from 8 connections, each with a request after it in the same write (it
#     must not run): Transfer-Encodings that do not end in chunked or put a coding before it,
#     then two Hosts, a Host with a blank or a user part, none, and a user part in the target;
#   - a session flood: 8 connections taking new sessions and sending each cookie back once (the
#     demo signs each in) for at least 45 s, which fills the store; a quiet client from another
#     address that came back once before it must keep its session.
#   - endless framing: 8 chunked posts whose size line or trailers never end;
#   - large heads: 1,000 connections that each sent a GET with a 60 KB header, held idle, then
#     opened and closed again and again (RSS 2 s after they stop);
#   - slow readers: 1,024 GETs of ckeditor.js that read none of it (the kernel's TCP memory);
#   - small-body share flood: 512 posts from 64 addresses announcing 16 MB and sending 256 KB.
# The attackers come from 127.0.0.2 and on (wrk from 127.0.0.1), so the per-address cap meets
# them and not the normal clients; beside the normal clients a 1 KB form is posted every second
# from 127.0.0.1 (its answers are counted by status).
# Prints p99, errors and non-2xx of the normal clients, the attacker's answers, and resident
# memory before, during and after each attack (every 10 s, a minute long, with its distance from
# before). Then the rate of posts of 1 MB bodies against bodies one byte smaller.
# Usage: bench/host_attacks.sh [SECONDS per attack, default 20]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
port=18432
source bench/host_bench_setup.sh attack_clients proto_attacks memory_attacks

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

# Resident memory every 10 s for a minute after an attack, and how far the last is from $1.
after() {
  local line="  RSS after:" rss
  for t in 0 10 20 30 40 50 60; do
    rss=$(rss_mb)
    line+=" ${t}s $rss MB;"
    [[ $t -lt 60 ]] && sleep 10
  done
  echo "$line"
  echo "  60 s after - before: $((rss - $1)) MB ($( ((rss - $1 <= 50)) && echo within || echo OVER) 50 MB)"
}

# A 1 KB form posted every second for the attack's time: the count of each answer's status.
form_posts() {
  local form cookie
  form="zd=$(head -c 1021 /dev/zero | tr '\0' 'f')"
  cookie=$(head -1 "$work/cookies")
  for _ in $(seq "$seconds"); do
    curl -s -o /dev/null -w '%{http_code}\n' --max-time 5 -H "Cookie: $cookie" \
         --data "$form" "$url" || true
    sleep 1
  done | sort | uniq -c | awk '{printf " %s x%s", $2, $1} END {print ""}'
}

# Runs the normal clients and the form posts beside an attack (a command in the background),
# with the RSS before it and at its middle.
beside() {
  local label=$1; shift
  local before attack during posts
  before=$(rss_mb)
  "$@" >"$work/attack.out" 2>&1 &
  attack=$!
  sleep 1
  (sleep $((seconds / 2)); echo "  RSS during: $(rss_mb) MB" >"$work/during") &
  during=$!
  (echo "  1 KB form posts:$(form_posts)" >"$work/posts") &
  posts=$!
  normal "$label"
  wait "$attack" "$during" "$posts" || true
  echo "  RSS before: $before MB"
  cat "$work/during" "$work/posts"
  sed 's/^/  attacker: /' "$work/attack.out"
  after "$before"
}

echo "== 8 normal clients, ${seconds}s each run; RSS at start: $(rss_mb) MB"
normal "alone"
beside "slow bodies" "$bin/bench/attack_clients" slow-bodies $port 127.0.0.2 2000 $((seconds + 2))
beside "conn. flood" "$bin/bench/attack_clients" flood $port 127.0.0.2 2000 $((seconds + 2))
# wrk's count of requests and answers other than 2xx.
flood() { wrk -t2 -c32 -d"$((seconds + 2))s" "$url" | grep -E "requests in|Non-2xx|errors"; }
beside "cookieless" flood
beside "budget hog" "$bin/bench/attack_clients" hog $port 127.0.0.2 8 $((seconds + 2))
beside "chunked" "$bin/bench/attack_clients" chunked $port 127.0.0.2 64 $((seconds + 2))
beside "16 MB bodies" "$bin/bench/attack_clients" big-rounds $port 127.0.0.2 8 $((seconds + 2))

# Heads the host must refuse, and the session flood, each beside the normal clients.
refused_heads() {
  beside "TE framing" "$bin/bench/proto_attacks" framing $port 127.0.0.3 8 $((seconds + 2))
  beside "Host checks" "$bin/bench/proto_attacks" hosts $port 127.0.0.3 8 $((seconds + 2))
}
session_flood() {
  local seconds=$((seconds > 45 ? seconds : 45))
  beside "session flood" "$bin/bench/proto_attacks" sessions $port 127.0.0.3 8 $((seconds + 2))
}
refused_heads

# The memory attacks, from 127.0.1.1 and on: $1 label, $2 mode, $3 connections.
memory_attack() {
  beside "$1" "$bin/bench/memory_attacks" "$2" $port 127.0.1.1 "$3" $((seconds + 2))
}
# The kernel's memory for TCP sockets, in MB.
tcp_mb() { awk '/^TCP:/ {for (i = 1; i < NF; ++i) if ($i == "mem") printf "%d", $(i + 1) * 4 / 1024}' /proc/net/sockstat; }
# Runs `command` in the background after $1 seconds, its line kept for after the attack.
sample_at() {
  local at=$1; shift
  (sleep "$at"; "$@" >"$work/sample") &
}

echo "== memory attacks; RSS now: $(rss_mb) MB"
memory_attack "endless framing" framing 8
sample_at $((seconds + 4)) eval 'echo "  RSS 2 s after the attack: $(rss_mb) MB"'
memory_attack "large heads idle" large-heads 1000
cat "$work/sample"
sample_at $((seconds + 4)) eval 'echo "  RSS 2 s after the attack: $(rss_mb) MB"'
memory_attack "heads closed" large-heads-closed 1000
cat "$work/sample"
sample_at $((seconds / 2)) eval 'echo "  TCP memory during: $(tcp_mb) MB (before: '"$(tcp_mb)"' MB)"'
memory_attack "slow readers" slow-readers 1024
cat "$work/sample"
memory_attack "share flood" share-flood 512

session_flood
normal "alone again"

# Posts of a form body of $1 bytes at 4 connections for 8 s: requests a second.
post_rate() {
  wrk -t2 -c4 -d8s -s bench/host_post.lua "$url" -- "$1" | awk '/Requests\/sec/ {print $2}'
}
echo "== posts of 1 MB bodies against bodies one byte smaller (two rounds)"
for round in 1 2; do
  smaller=$(post_rate 1048575)
  mb=$(post_rate 1048576)
  echo "round $round: 1,048,575 bytes $smaller req/s; 1,048,576 bytes $mb req/s;" \
       "ratio $(awk -v a="$mb" -v b="$smaller" 'BEGIN {printf "%.3f", a / b}')"
done
echo "RSS at the end: $(rss_mb) MB"

