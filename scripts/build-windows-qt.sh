#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (static, MinGW-w64 posix thread model) from Debian's own qt6-base
# sources, at exactly the version of the host Qt: the cross build runs the host's moc, rcc and
# uic, which must match the target libraries. Only what the program uses is built: Core, Gui,
# Widgets and Test, the qwindows platform plugin, the windowsvista style, PNG, BMP and ICO.
#
# The result is kept per user in
#   ${XDG_CACHE_HOME:-~/.cache}/zr4pcctrl/qt-mingw-<Qt version>-<hash>
# where the hash covers the Debian package version, the compiler package, the toolchain file and
# the configure options, so that changing any of them builds a new folder. A folder counts only
# once its stamp file exists (written after the install), so an interrupted build is redone.
# The build takes 20 to 35 minutes on two idle cores (about an hour when other builds share them)
# and about 3 GB of temporary space, removed afterwards; the result takes about 100 MB.
#
# A finished folder can be packed into an archive and restored from it on another machine, in
# about a minute instead of the build:
#   scripts/build-windows-qt.sh --pack DEST
#     builds the folder when needed, then writes DEST/qt-mingw-<version>-<hash>.tar.zst (DEST a
#     folder, or the archive's own path ending in that name) holding the folder at its top, stamp
#     included, and beside it the archive's SHA-256 in sha256sum's format (<archive>.sha256).
#   ZR4_QT_WINDOWS_ARCHIVE=FILE scripts/build-windows-qt.sh
#     restores FILE into the cache instead of building when its name is the folder's name (so it
#     was made from the same packages, toolchain file and options) and it matches FILE.sha256.
#     Any mismatch is said in one line and the build from source runs. The installation records
#     its own absolute path in a few text files; they are rewritten for the cache they land in.
#
# Usage: scripts/build-windows-qt.sh [--pack DEST | --check]
#   --check  only tells: prints the folder and exits 0 when it is complete in the cache, exits 1
#            otherwise (installs, builds and restores nothing)
#   Prints the Qt folder on standard output (nothing when skipped); progress goes to standard
#   error and the build log. Programs are configured with <folder>/bin/qt-cmake -DQT_HOST_PATH=/usr.
#   With CI=true every problem fails the script; otherwise missing packages only skip it.
set -euo pipefail
pack_dest=
check_only=false
case "${1:-}" in
--check) check_only=true ;;
--pack)
  pack_dest=${2:?--pack needs a folder or an archive path}
  pack_dest=$(realpath -m -- "$pack_dest")
  ;;
"") ;;
*)
  echo "usage: scripts/build-windows-qt.sh [--pack DEST | --check]" >&2
  exit 2
  ;;
esac
if [ -n "${ZR4_QT_WINDOWS_ARCHIVE:-}" ]; then
  ZR4_QT_WINDOWS_ARCHIVE=$(realpath -m -- "$ZR4_QT_WINDOWS_ARCHIVE")
fi
cd "$(dirname "$0")/.."
root=$PWD

skip() {
  if [ "${CI:-}" = true ]; then
    echo "Qt for Windows FAILED: $*" >&2
    exit 1
  fi
  echo "Qt for Windows SKIPPED: $*" >&2
  exit 0
}

if ! $check_only && ! scripts/install-deps.sh --windows-qt; then
  skip "the MinGW-w64 compilers, the host Qt or the Debian source entry could not be installed."
fi
deb_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null) ||
  { $check_only && exit 1; } || skip "qt6-base-dev is not installed."
compiler_version=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix 2>/dev/null) ||
  { $check_only && exit 1; } || skip "g++-mingw-w64-x86-64-posix is not installed."
qt_version=${deb_version#*:}     # no epoch
qt_version=${qt_version%%[+-]*}  # upstream only: 6.4.2+dfsg-10 -> 6.4.2

# Features the program does not use are off: less to build, and no dependency that the MinGW
# tree lacks. Third-party libraries come from Qt's own copies (static, nothing to ship).
# direct2d off needs directwrite3 off too: otherwise Qt 6.4 leaves the DirectWrite font database
# referenced but not built, and programs fail to link.
options=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=OFF
  -DQT_HOST_PATH=/usr
  -DQt6HostInfo_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_system_libb2=OFF -DFEATURE_system_textmarkdownreader=OFF
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF
  -DFEATURE_icu=OFF -DFEATURE_openssl=OFF -DFEATURE_zstd=OFF -DFEATURE_pkg_config=OFF
  -DFEATURE_freetype=OFF -DFEATURE_tabletevent=OFF
  -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
)
toolchain=$root/cmake/mingw-w64.cmake
hash=$({
  echo "$deb_version" "$compiler_version"
  cat "$toolchain"
  printf '%s\n' "${options[@]}"
} | sha256sum | cut -c1-12)

cache=${XDG_CACHE_HOME:-$HOME/.cache}/zr4pcctrl
name=qt-mingw-$qt_version-$hash
prefix=$cache/$name
stamp=$prefix/.zr4-complete
log=$cache/$name.log
if $check_only; then
  [ -f "$stamp" ] || exit 1
  echo "$prefix"
  exit 0
fi
mkdir -p "$cache"

# Two builds of the same folder at once would wreck each other: the second one waits.
exec 9>"$cache/.$name.lock"
if ! flock -n 9; then
  echo "Another build of $name is running; waiting for it..." >&2
  flock 9
fi

# Writes the finished folder as DEST's archive with its checksum beside it, then ends the script.
pack() {
  local archive=$pack_dest
  [[ "$archive" == *.tar.zst ]] || archive=$archive/$name.tar.zst
  if [ "$(basename "$archive")" != "$name.tar.zst" ]; then
    echo "Qt for Windows FAILED: the archive must be named $name.tar.zst to be restored." >&2
    exit 1
  fi
  mkdir -p "$(dirname "$archive")"
  tar --zstd -cf "$archive.partial" -C "$cache" "$name"
  mv "$archive.partial" "$archive"
  (cd "$(dirname "$archive")" && sha256sum "$name.tar.zst" >"$name.tar.zst.sha256")
  echo "Qt $qt_version for Windows packed: $archive ($(du -h "$archive" | cut -f1))" >&2
  echo "$prefix"
  exit 0
}

# Restores ZR4_QT_WINDOWS_ARCHIVE into the cache when it is this folder's archive; says in one line
# why not otherwise (and returns 1, so that the build runs).
restore() {
  local archive=$1 expected actual old
  if [ ! -f "$archive" ]; then
    echo "Qt for Windows archive not used: $archive does not exist; building from source." >&2
    return 1
  fi
  if [ "$(basename "$archive")" != "$name.tar.zst" ]; then
    echo "Qt for Windows archive not used: $(basename "$archive") is not $name.tar.zst" \
      "(other packages, toolchain file or options); building from source." >&2
    return 1
  fi
  expected=$(awk 'NR == 1 { print $1 }' "$archive.sha256" 2>/dev/null || true)
  actual=$(sha256sum "$archive" | cut -d' ' -f1)
  if [ "$expected" != "$actual" ]; then
    echo "Qt for Windows archive not used: $archive does not match its SHA-256" \
      "(${archive}.sha256); building from source." >&2
    return 1
  fi
  restoring=$(mktemp -d "$cache/.restore.XXXXXX")
  if ! tar --zstd -xf "$archive" -C "$restoring" 2>/dev/null ||
    [ ! -f "$restoring/$name/.zr4-complete" ] || [ ! -x "$restoring/$name/bin/qt-cmake" ]; then
    echo "Qt for Windows archive not used: $archive does not hold a complete $name;" \
      "building from source." >&2
    rm -rf "$restoring"
    return 1
  fi
  # The stamp goes in last, so that an interrupted restore is redone.
  mv "$restoring/$name/.zr4-complete" "$restoring/stamp"
  old=$(sed -n 's/.* -DCMAKE_INSTALL_PREFIX=\([^ ]*\).*/\1/p' "$restoring/stamp")
  if [ -n "$old" ] && [ "$old" != "$prefix" ]; then
    # Absolute paths (the chain-loaded toolchain file, the original prefix), and target_qt.conf's
    # HostData, which is relative to the host prefix /usr.
    OLD=$old NEW=$prefix OLD_REL=..$old NEW_REL=$(realpath -m --relative-to=/usr "$prefix") \
      perl -pi -e 's/\Q$ENV{OLD_REL}\E/$ENV{NEW_REL}/g; s/\Q$ENV{OLD}\E/$ENV{NEW}/g' \
      $(grep -rlIF -- "$old" "$restoring/$name") "$restoring/stamp"
  fi
  rm -rf "$prefix"
  mv "$restoring/$name" "$prefix"
  echo "restored from $(basename "$archive")" >>"$restoring/stamp"
  mv "$restoring/stamp" "$stamp"
  rm -rf "$restoring"
  restoring=
}

if [ ! -f "$stamp" ] && [ -n "${ZR4_QT_WINDOWS_ARCHIVE:-}" ]; then
  restoring=
  trap '[ -z "$restoring" ] || rm -rf "$restoring"' EXIT
  if restore "$ZR4_QT_WINDOWS_ARCHIVE"; then
    echo "Qt $qt_version for Windows: restored from $ZR4_QT_WINDOWS_ARCHIVE into $prefix," \
      "${SECONDS} s" >&2
  fi
  trap - EXIT
fi
if [ -f "$stamp" ]; then
  [ -z "$pack_dest" ] || pack
  echo "Qt $qt_version for Windows: current ($prefix), ${SECONDS} s" >&2
  echo "$prefix"
  exit 0
fi

started=$SECONDS
work=$(mktemp -d "${TMPDIR:-/tmp}/zr4-qt-mingw.XXXXXX")
# The build folder goes whatever happens; a signal ends the script through its exit trap too.
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM HUP
free_kb=$(df -Pk "$work" | awk 'NR == 2 { print $4 }')
if [ "$free_kb" -lt $((4 * 1024 * 1024)) ]; then
  echo "Qt for Windows FAILED: less than 4 GB free under $work." >&2
  exit 1
fi
echo "Building Qt $qt_version for Windows into $prefix" \
  "(20-35 min on two idle cores, longer when they are busy); log: $log" >&2
: >"$log"
fail() {
  echo "Qt for Windows FAILED: $*; the last lines of $log:" >&2
  tail -n 30 "$log" >&2
  exit 1
}

# A folder left by an interrupted build is started afresh.
rm -rf "$prefix"
mkdir -p "$prefix"
# The installed qt-cmake chains the toolchain file by its path: keep a copy beside the
# installation, so that it does not depend on this checkout.
cp "$toolchain" "$prefix/mingw-w64.cmake"

# Run as root, apt-get warns that it downloads unsandboxed (the _apt user cannot write to this
# private folder); the files are still checked against the signed source index.
mkdir "$work/src"
(cd "$work/src" && apt-get source -qq --only-source "qt6-base=$deb_version") >>"$log" 2>&1 ||
  fail "apt-get source qt6-base=$deb_version"
src=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -n "$src" ] || fail "no qt6-base source folder after apt-get source"

configure=(cmake -S "$src" -B "$work/build" -G Ninja
  -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix"
  "${options[@]}")
echo "${configure[*]}" >>"$log"
nice -n 15 "${configure[@]}" >>"$log" 2>&1 || fail "configure"
# Two jobs, low priority: the machine's two cores are shared with other builds.
nice -n 15 cmake --build "$work/build" --parallel 2 >>"$log" 2>&1 || fail "build"
nice -n 15 cmake --install "$work/build" >>"$log" 2>&1 || fail "install"
[ -x "$prefix/bin/qt-cmake" ] || fail "no bin/qt-cmake in the installation"

# The stamp, written last, marks the folder complete; it also records how it was made.
printf '%s\n' "qt6-base $deb_version" "g++-mingw-w64-x86-64-posix $compiler_version" \
  "${configure[*]}" >"$stamp"
elapsed=$((SECONDS - started))
echo "Qt $qt_version for Windows: built in $((elapsed / 60)) min $((elapsed % 60)) s," \
  "$(du -sh "$prefix" | cut -f1) in $prefix" >&2
[ -z "$pack_dest" ] || pack
echo "$prefix"
