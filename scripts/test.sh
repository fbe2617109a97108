#!/usr/bin/env bash
# Builds everything and runs every test. Usage: scripts/test.sh [--sanitize]
#   --sanitize  a separate build with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
[ "${1:-}" = "--sanitize" ] || scripts/test-windows.sh  # the Windows cross build, under Wine

build=build/test
flags=(-DCMAKE_BUILD_TYPE=Debug -DZR4_WERROR=ON -DZR4_BUILD_BENCH=ON)
if [ "${1:-}" = "--sanitize" ]; then
  build=build/asan
  flags+=(-DZR4_SANITIZE=ON -DZR4_BUILD_BENCH=OFF)
  export ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS="suppressions=${PWD}/tests/lsan.supp"
fi

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"

cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$build"
# The installed layout, the validators and the Debian package, from the same build.
[ "${1:-}" = "--sanitize" ] || scripts/test-install.sh "$build"
ctest --test-dir "$build" --output-on-failure -j2
