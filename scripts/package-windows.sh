#!/usr/bin/env bash
# Builds the Windows program with Qt for Windows (scripts/build-windows-qt.sh) and packs
# build/winexe/zr4pcctrl-VERSION-win64.zip: the program (static, nothing else to install), the
# "skins" folder with the skins the build draws, and the README.
# Usage: scripts/package-windows.sh   (the build folder is shared with scripts/test-windows.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh --windows
qt=$(scripts/build-windows-qt.sh)
if [ -z "$qt" ]; then
  echo "Windows package FAILED: Qt for Windows is not available." >&2
  exit 1
fi
build=$root/build/winexe
if ! grep -qsF "$qt/" "$build/CMakeCache.txt"; then
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
  "$qt/bin/qt-cmake" -S . -B "$build" -G Ninja -DQT_HOST_PATH=/usr \
    -DCMAKE_BUILD_TYPE=Release -DZR4_BUILD_QT=ON -DZR4_BUILD_TESTS=OFF -DZR4_WERROR=ON >/dev/null
fi
# The build draws the skins with a Windows program: Wine, in a prefix inside the build folder.
export HOME=$build/wine-home WINEPREFIX=$build/wine-prefix WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="winemenubuilder.exe,mscoree,mshtml=d"
mkdir -p "$HOME"
nice -n 10 cmake --build "$build" -j2
wineserver -k 2>/dev/null || true

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=zr4pcctrl-$version-win64
stage=$build/package/$name
rm -rf "$build/package" "$build/$name.zip"
mkdir -p "$stage/skins"
x86_64-w64-mingw32-strip -o "$stage/zr4pcctrl.exe" "$build/src/shell/app/zr4pcctrl.exe"
cp "$build"/src/shell/app/skins/* "$stage/skins/"
cp README.md "$stage/README.md"
(cd "$build/package" && python3 -m zipfile -c "$build/$name.zip" "$name")
ls "$build/$name.zip"
