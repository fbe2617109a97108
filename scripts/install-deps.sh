#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when something is missing.
# Usage: scripts/install-deps.sh [--tests] [--windows] [--package] [--install-checks]
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
  libusb-1.0-0-dev zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-ipafont-gothic
  librsvg2-bin)
for arg in "$@"; do
  case "$arg" in
  --tests) packages+=(umockdev libumockdev-dev clang libclang-rt-14-dev xvfb xauth imagemagick dbus python3-dbusmock playerctl) ;;
  --package) packages+=(dpkg-dev file) ;;
  --install-checks) packages+=(dpkg-dev file desktop-file-utils appstream lintian man-db) ;;
  --windows) packages+=(g++-mingw-w64-x86-64-posix wine64 wine xvfb xauth) ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
