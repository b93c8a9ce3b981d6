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
# The fuzz targets, when clang-16 is there: each runs 20 s from its seed corpus (new inputs go
# to a scratch folder), and counts as one test; a crash fails it and leaves its input in build-fuzz.
fuzz_passed=0 fuzz_failed=0
if command -v clang++-16 >/dev/null; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-16 \
        -DFLOWFORM_SANITIZE=ON -DFLOWFORM_FUZZ=ON -DFLOWFORM_TESTS=OFF >/dev/null
  cmake --build build-fuzz --target fuzzers
  for corpus in tests/fuzz/corpus/*/; do
    target=$(basename "$corpus") scratch=$(mktemp -d)
    if build-fuzz/tests/fuzz/fuzz_"$target" -max_total_time=20 -timeout=10 \
        -artifact_prefix="build-fuzz/$target-" "$scratch" "$corpus" >"build-fuzz/$target.log" 2>&1; then
      echo "fuzz $target: passed"; fuzz_passed=$((fuzz_passed + 1))
    else
      tail -n 40 "build-fuzz/$target.log"; echo "fuzz $target: FAILED"
      fuzz_failed=$((fuzz_failed + 1)); status=1
    fi
    rm -rf "$scratch"
  done
fi
passed=$(grep -oE '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1 || true)
if [[ -n "$passed" ]]; then
  total=$(sed -E 's/.* out of ([0-9]+)/\1/' <<<"$passed")
  failed=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$passed")
  echo "$((total - failed + fuzz_passed)) passed, $((failed + fuzz_failed)) failed"
fi
rm -f "$log"
exit "$status"
