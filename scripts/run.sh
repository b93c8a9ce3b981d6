#!/usr/bin/env bash
# The main command: installs what is missing, builds flowform and serves the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/site.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DFLOWFORM_TESTS=OFF
cmake --build build
exec build/flowform demo "$@"
