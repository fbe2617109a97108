#!/usr/bin/env bash
# The Windows side under Wine, in a Wine prefix of its own inside the build folder, in two stages:
#   core     cross-builds the core, the platform layer and their tests for 64-bit Windows with
#            MinGW-w64 and runs the tests (a few minutes on a new machine)
#   program  the Qt program, built against the Qt for Windows of scripts/build-windows-qt.sh (in
#            its own build folder, kept between runs): the shell's tests, then the program as a
#            user runs it (scripts/check-windows-program.py); Qt for Windows is built first when
#            the cache lacks it (20-60 min), or restored from ZR4_QT_WINDOWS_ARCHIVE
# Usage: scripts/test-windows.sh core|program   (with CI=true a missing toolchain fails it)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
stage=${1:-}
case "$stage" in
core | program) ;;
*)
  echo "usage: scripts/test-windows.sh core|program" >&2
  exit 2
  ;;
esac

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

# GoogleTest from Debian's sources, built once with the same toolchain (both stages use it).
gtest=$build/googletest
if [ ! -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "Building GoogleTest for Windows (once)..." >&2
  cmake -S /usr/src/googletest -B "$build/googletest-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$gtest" >/dev/null
  cmake --build "$build/googletest-build" --target install -j2 >/dev/null
fi

status=0
program=
qt_build=$root/build/winexe
if [ "$stage" = core ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DZR4_WERROR=ON \
    -DGTest_DIR="$gtest/lib/cmake/GTest" >/dev/null
  cmake --build "$build" -j2
else
  # Qt for Windows is kept in the user's cache: looked up before HOME moves into the build folder.
  # Without it a developer's run skips the stage; in CI it fails it.
  qt_status=0
  qt=$(scripts/build-windows-qt.sh) || qt_status=$?
  if [ "$qt_status" -ne 0 ] || [ -z "$qt" ]; then
    if [ "${CI:-}" = "true" ]; then
      echo "Windows program FAILED: Qt for Windows is not available (CI)." >&2
      exit 1
    fi
    echo "Windows program SKIPPED: Qt for Windows is not available." >&2
    exit 0
  fi
  # The folder packs into an archive that restores elsewhere (how a new machine gets it).
  tests/windows/qt_archive_test.sh
fi

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

if [ "$stage" = program ]; then
  # A new Qt folder (another Qt version or options) needs a new configuration.
  if ! grep -qsF "$qt/" "$qt_build/CMakeCache.txt"; then
    rm -rf "$qt_build/CMakeCache.txt" "$qt_build/CMakeFiles"
  fi
  # With the shell's tests, which run on Windows' own windows (the rest ran in the core stage).
  "$qt/bin/qt-cmake" -S . -B "$qt_build" -G Ninja -DQT_HOST_PATH=/usr \
    -DCMAKE_BUILD_TYPE=Release -DZR4_BUILD_QT=ON -DZR4_BUILD_TESTS=ON -DZR4_TESTS_SHELL_ONLY=ON \
    -DZR4_WERROR=ON -DGTest_DIR="$gtest/lib/cmake/GTest" >/dev/null
  # The build draws the shipped skins with a Windows program, under this Wine prefix.
  if nice -n 10 cmake --build "$qt_build" -j2; then
    program=$qt_build/src/shell/app/zr4pcctrl.exe
  else
    echo "Windows program FAILED: the build failed." >&2
    exit 1
  fi
fi

# The ANSI calls as on Japanese Windows: a Japanese locale gives Wine the ANSI code page 932. The
# check must run there, not be skipped.
japanese_code_page() {
  local locales=$build/locales
  mkdir -p "$locales"
  [ -d "$locales/ja_JP.UTF-8" ] || localedef -i ja_JP -f UTF-8 "$locales/ja_JP.UTF-8"
  local out
  out=$(LOCPATH=$locales LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 wine \
    "$build/tests/platform/gestures/platform_pc_api_windows_tests.exe" \
    --gtest_filter='AnsiCodePageTest.*' 2>&1) || { echo "$out"; return 1; }
  if ! grep -q '^\[  PASSED  \] 1 test' <<<"$out" || grep -q SKIPPED <<<"$out"; then
    echo "$out"
    echo "The ANSI code page check did not run under code page 932." >&2
    return 1
  fi
  echo "ANSI code page 932: device names read and written whole"
}

# Window and message tests need a display: a private virtual one unless one is set. The tests and
# the program share it, and the one wine server.
run_all() {
  local failed=0
  if [ -z "$program" ]; then
    ctest --test-dir "$build" --output-on-failure -j1 --timeout 120 || failed=1
    japanese_code_page || failed=1
  else
    ctest --test-dir "$qt_build" --output-on-failure -j1 --timeout 300 || failed=1
    python3 scripts/check-windows-program.py "$program" "$(dirname "$program")/skins" \
      "$build/program-check" || failed=1
  fi
  return "$failed"
}
export build program qt_build
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    bash -c "$(declare -f run_all japanese_code_page); run_all" || status=1
else
  run_all || status=1
fi
exit "$status"
