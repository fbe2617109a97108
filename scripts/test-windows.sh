#!/usr/bin/env bash
# Cross-builds the core, the platform layer and their tests for 64-bit Windows with MinGW-w64
# and runs the tests under Wine, in a Wine prefix of their own inside the build folder.
# Usage: scripts/test-windows.sh   (with CI=true a toolchain that cannot be installed fails it)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# Without the packages the stage is skipped on a developer's machine, but in CI (CI=true) a
# skipped stage would pass for a green one.
if ! scripts/install-deps.sh --windows; then
  if [ "${CI:-}" = "true" ]; then
    echo "Windows tests FAILED: the MinGW-w64 and Wine packages could not be installed (CI)." >&2
    exit 1
  fi
  echo "Windows tests SKIPPED: the MinGW-w64 and Wine packages could not be installed." >&2
  exit 0
fi

build=$root/build/win
toolchain=$root/cmake/mingw-w64.cmake
started=$(date +%s)

# GoogleTest from Debian's sources, built once with the same toolchain.
gtest=$build/googletest
if [ ! -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "Building GoogleTest for Windows (once)..." >&2
  cmake -S /usr/src/googletest -B "$build/googletest-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$gtest" >/dev/null
  cmake --build "$build/googletest-build" --target install -j2 >/dev/null
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DZR4_WERROR=ON \
  -DGTest_DIR="$gtest/lib/cmake/GTest" >/dev/null
cmake --build "$build" -j2

# Wine: its own home and prefix, no crash dialog (a crash would wait forever), no sound
# driver, no desktop menu entries, no Mono or Gecko installers.
export HOME=$build/wine-home
export WINEPREFIX=$build/wine-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe,mscoree,mshtml=d"
export WINEARCH=win64
mkdir -p "$HOME"
if [ ! -f "$WINEPREFIX/.zr4-ready" ]; then
  echo "Preparing the Wine prefix (once)..." >&2
  wine cmd /c exit 0 >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d '' /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.zr4-ready"
fi

# One wine server for all tests, started here so that no test waits for it on inherited pipes.
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
wine cmd /c exit 0 >/dev/null 2>&1

# Window and message tests need a display: a private virtual one unless one is set.
run=(ctest --test-dir "$build" --output-on-failure -j1 --timeout 120)
status=0
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "${run[@]}" || status=$?
else
  "${run[@]}" || status=$?
fi
echo "Windows stage: $(($(date +%s) - started)) s" >&2
exit "$status"
