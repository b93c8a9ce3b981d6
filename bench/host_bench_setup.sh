# Sourced by the host's load and attack scripts: wrk, a Release build of the targets named,
# a work folder and a server slot both cleaned up at exit, and the demo's to-do page at $port.
command -v wrk >/dev/null || { apt-get update -qq && apt-get install -y -qq wrk; }
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DFLOWFORM_TESTS=OFF \
      -DFLOWFORM_BENCH=ON >/dev/null
cmake --build build-bench --target flowform "$@" >/dev/null
bin=build-bench
work=$(mktemp -d)
server=
cleanup() {
  # The server ends by the signal: its status is not the script's.
  [[ -n "$server" ]] && kill "$server" 2>/dev/null && { wait "$server" 2>/dev/null || true; }
  rm -rf "$work"
}
trap cleanup EXIT
page="/flow/BiaoDanTianXie.asp?BiaoDanID=1&BiaoDanRecordID=1&JieDianID=2"
url="http://127.0.0.1:$port$page"
