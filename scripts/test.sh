#!/usr/bin/env bash
# The test command: installs what is missing, builds with sanitizers and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
# The client-script tests run the page's JavaScript in Node.js against a DOM from npm.
command -v npm >/dev/null || { apt-get update -qq && apt-get install -y -qq --no-install-recommends npm; }
[[ tests/js/node_modules -nt tests/js/package-lock.json ]] ||
  (cd tests/js && npm ci --no-audit --no-fund --loglevel=error)
# The browser test drives Debian's Chromium against the demo and its site folder; a CJK font
# shows the page's Chinese in the screenshots it keeps.
{ command -v chromium && fc-list :lang=zh | grep -q .; } >/dev/null 2>&1 ||
  { apt-get update -qq && apt-get install -y -qq --no-install-recommends chromium fonts-wqy-zenhei; }
scripts/site.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFLOWFORM_SANITIZE=ON \
      -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-test
log=$(mktemp)
status=0
ctest --test-dir build-test --output-on-failure -j "$(nproc)" | tee "$log" || status=$?
passed=$(grep -oE '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1 || true)
if [[ -n "$passed" ]]; then
  total=$(sed -E 's/.* out of ([0-9]+)/\1/' <<<"$passed")
  failed=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$passed")
  echo "$((total - failed)) passed, ${failed} failed"
fi
rm -f "$log"
exit "$status"
