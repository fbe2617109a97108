#!/usr/bin/env bash
# Builds the Debian package zr4pcctrl_VERSION_amd64.deb in build/package.
# Usage: scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --package
build=build/package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DZR4_BUILD_TESTS=OFF -DZR4_BUILD_BENCH=OFF >/dev/null
cmake --build "$build"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/zr4pcctrl_*_amd64.deb
