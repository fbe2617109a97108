#!/usr/bin/env bash
# Builds everything and runs every test, then prints how long each stage took.
# Usage: scripts/test.sh [--sanitize] [--windows-program]
#   --sanitize          only the Linux tests, in a separate build with AddressSanitizer and
#                       UndefinedBehaviorSanitizer
#   --windows-program   also the Windows program stage when Qt for Windows is not in the cache yet:
#                       it is restored from ZR4_QT_WINDOWS_ARCHIVE when that names a matching
#                       archive (about a minute), otherwise built from source (20-60 min)
# The Windows program stage always runs when Qt for Windows is in the cache, and in CI (CI=true),
# where a missing toolkit fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
sanitize=false
windows_program=false
for arg in "$@"; do
  case "$arg" in
  --sanitize) sanitize=true ;;
  --windows-program) windows_program=true ;;
  *)
    echo "usage: scripts/test.sh [--sanitize] [--windows-program]" >&2
    exit 2
    ;;
  esac
done
source scripts/stage-times.sh
scripts/install-deps.sh --tests

if ! $sanitize; then
  stage "Windows core" scripts/test-windows.sh core
  if $windows_program || [ "${CI:-}" = true ] || scripts/build-windows-qt.sh --check >/dev/null; then
    stage "Windows program" scripts/test-windows.sh program
  else
    stage_left_out "Windows program" "Qt for Windows is not in the cache;" \
      "scripts/test.sh --windows-program builds it (20-60 min) or restores it from" \
      "ZR4_QT_WINDOWS_ARCHIVE"
  fi
fi

build=build/test
flags=(-DCMAKE_BUILD_TYPE=Debug -DZR4_WERROR=ON -DZR4_BUILD_BENCH=ON)
if $sanitize; then
  build=build/asan
  flags+=(-DZR4_SANITIZE=ON -DZR4_BUILD_BENCH=OFF)
  export ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS="suppressions=${PWD}/tests/lsan.supp"
  # Qt's Wayland client asks EGL whether it may draw decorations, which loads Mesa's software
  # driver; that driver keeps a block only its own globals point to and is unloaded at exit, so
  # the leak check sees the block orphaned in an unnamed module that no suppression can match.
  # The skinned window has no decorations, so the Wayland test keeps what it checks without EGL.
  export QT_WAYLAND_DISABLE_WINDOWDECORATION=1
fi

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"

build_linux() {
  cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null && cmake --build "$build"
}
stage "Linux build" build_linux
# The installed layout, the validators and the Debian package, from the same build.
$sanitize || stage "Install checks" scripts/test-install.sh "$build"
stage_last "Linux tests" ctest --test-dir "$build" --output-on-failure -j2
