#!/usr/bin/env bash
# Builds zr4pcctrl and starts it. With no ZR4PC attached it runs on the simulated component;
# on a machine without a display it runs offscreen, prints the window's status line and saves
# a picture of the window. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target zr4pcctrl
exe=build/release/src/shell/app/zr4pcctrl
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  shot="${PWD}/zr4pcctrl-window.png"
  echo "No display: running offscreen." >&2
  QT_QPA_PLATFORM=offscreen exec "$exe" --screenshot "$shot" "$@"
fi
exec "$exe" "$@"
