#!/usr/bin/env bash
# Draws the README's pictures of the window with the program's own --screenshot: the default
# skin on the simulated component at 100 % (docs/window-1x.png) and at 200 %
# (docs/window-2x.png), offscreen. Run it after changing the window or the default skin.
# Usage: scripts/readme-pictures.sh [PATH_TO_ZR4PCCTRL]   (default: build/dev's, built first)
set -euo pipefail
cd "$(dirname "$0")/.."

program=${1:-}
if [ -z "$program" ]; then
  program=build/dev/src/shell/app/zr4pcctrl
  nice -n 19 cmake --build build/dev --target zr4pcctrl >/dev/null
fi
# Its own settings and runtime folder: the pictures show the defaults, whatever the user set.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p docs
for scale in 1 2; do
  picture=$PWD/docs/window-${scale}x.png
  env -u ZR4PC_DEBUG -u ZR4PC_SIM_TRACE XDG_RUNTIME_DIR="$home" ZR4PC_HOME="$home" \
    ZR4PC_INSTANCE_NAME="readme-pictures-$$" QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale \
    "$program" --simulate --screenshot "$picture" >/dev/null 2>"$home/errors" ||
    { cat "$home/errors" >&2; exit 1; }
  echo "$picture"
done
