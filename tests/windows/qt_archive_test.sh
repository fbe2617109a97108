#!/usr/bin/env bash
# Qt for Windows through an archive, as a new machine gets it: the cached folder packed with
# --pack, restored into another cache (its recorded paths rewritten, so that a program configures
# against it there), and archives that must not be used (renamed, corrupted) refused in one line
# each before the build from source starts.
# Usage: tests/windows/qt_archive_test.sh   (needs the complete folder in the user's cache)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
folder=$(scripts/build-windows-qt.sh --check) || {
  echo "FAILED: Qt for Windows is not in the cache" >&2
  exit 1
}
name=$(basename "$folder")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# No run of the script here may start the hour-long build: apt-get cannot fetch the sources.
mkdir "$work/fake-bin"
printf '#!/bin/sh\nexit 1\n' >"$work/fake-bin/apt-get"
chmod +x "$work/fake-bin/apt-get"
export PATH=$work/fake-bin:$PATH
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# Packed: one folder at the top, stamp included, and a checksum sha256sum accepts.
scripts/build-windows-qt.sh --pack "$work/archives" >/dev/null 2>&1 || fail "--pack"
archive=$work/archives/$name.tar.zst
tar --zstd -tf "$archive" | grep -x "$name/.zr4-complete" >/dev/null || fail "the stamp is not in the archive"
[ -z "$(tar --zstd -tf "$archive" | grep -v "^$name/")" ] || fail "the archive holds more than $name"
(cd "$work/archives" && sha256sum --status -c "$name.tar.zst.sha256") || fail "the checksum file"

# Restored into another cache: found current there, and nothing in it names the old place.
restored=$(XDG_CACHE_HOME=$work/cache ZR4_QT_WINDOWS_ARCHIVE=$archive \
  scripts/build-windows-qt.sh 2>"$work/restore.log") || fail "the restore: $(cat "$work/restore.log")"
[ "$restored" = "$work/cache/zr4pcctrl/$name" ] || fail "restored into '$restored'"
grep -q "restored from" "$work/restore.log" || fail "not restored: $(cat "$work/restore.log")"
if grep -rlIF -- "$folder" "$restored" | grep -v '/.zr4-complete$'; then
  fail "files of the restored folder still name $folder"
fi
grep -qF "\"$restored/mingw-w64.cmake\"" "$restored/lib/cmake/Qt6/qt.toolchain.cmake" ||
  fail "qt.toolchain.cmake does not chain the restored toolchain file"
mkdir "$work/program"
cat >"$work/program/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(probe LANGUAGES CXX)
find_package(Qt6 REQUIRED COMPONENTS Widgets)
CMAKE
"$restored/bin/qt-cmake" -S "$work/program" -B "$work/program/build" -G Ninja \
  -DQT_HOST_PATH=/usr >"$work/configure.log" 2>&1 ||
  fail "a program does not configure against the restored Qt: $(tail -n 5 "$work/configure.log")"
XDG_CACHE_HOME=$work/cache scripts/build-windows-qt.sh 2>&1 >/dev/null | grep ": current (" >/dev/null ||
  fail "the restored folder is not taken as current"

# Refused archives: one line says why, then the build from source starts (and stops at once).
refused() {  # refused ARCHIVE WHAT: the restore of ARCHIVE is refused, saying WHAT
  local log=$work/refused.log
  rm -rf "$work/cache2"
  if XDG_CACHE_HOME=$work/cache2 ZR4_QT_WINDOWS_ARCHIVE=$1 \
    scripts/build-windows-qt.sh >/dev/null 2>"$log"; then
    fail "$1 was used"
  fi
  [ "$(grep -c "archive not used" "$log")" = 1 ] && grep -q "$2" "$log" ||
    fail "refusing $1: $(cat "$log")"
  grep -q "^Building Qt" "$log" || fail "no build from source after refusing $1"
  [ ! -e "$work/cache2/zr4pcctrl/$name/.zr4-complete" ] || fail "$1 left a stamp"
}
mkdir "$work/renamed"
cp "$archive" "$work/renamed/qt-mingw-6.4.2-000000000000.tar.zst"
cp "$archive.sha256" "$work/renamed/qt-mingw-6.4.2-000000000000.tar.zst.sha256"
refused "$work/renamed/qt-mingw-6.4.2-000000000000.tar.zst" "is not $name.tar.zst"
mkdir "$work/corrupted"
cp "$archive" "$archive.sha256" "$work/corrupted/"
printf 'x' | dd of="$work/corrupted/$name.tar.zst" bs=1 seek=1000 conv=notrunc status=none
refused "$work/corrupted/$name.tar.zst" "does not match its SHA-256"

[ "$failures" = 0 ] && echo "ok: Qt for Windows packed, restored elsewhere, bad archives refused"
exit "$failures"
