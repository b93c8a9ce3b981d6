#!/usr/bin/env bash
# Installs what flowform needs to build, test and serve on a Debian 12 machine (run as root).
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config libsqlite3-dev libpcre2-dev libboost-dev
          libcurl4-openssl-dev libssl-dev unixodbc-dev tdsodbc libsqliteodbc libcli11-dev libgtest-dev
          libgmock-dev libbenchmark-dev nodejs clang-16 libclang-rt-16-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
