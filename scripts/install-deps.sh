#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when something is missing.
# Usage: scripts/install-deps.sh [--tests] [--windows] [--windows-qt] [--package] [--install-checks]
#   --windows-qt  what scripts/build-windows-qt.sh needs: also a source entry for Debian's archive,
#                 so that the Qt sources of exactly the installed host Qt can be fetched
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
  libusb-1.0-0-dev libpulse-dev libx11-dev libxext-dev zlib1g-dev libgtest-dev libgmock-dev
  libbenchmark-dev fonts-ipafont-gothic librsvg2-bin)
for arg in "$@"; do
  case "$arg" in
  --tests) packages+=(umockdev libumockdev-dev clang libclang-rt-14-dev xvfb xauth imagemagick dbus python3-dbusmock
    python3-dbus python3-gi
    playerctl trayer xdotool pulseaudio pulseaudio-utils openbox x11-utils at-spi2-core python3-pyatspi
    gir1.2-atspi-2.0 weston qt6-wayland) ;;
  --package) packages+=(dpkg-dev file) ;;
  --install-checks) packages+=(dpkg-dev file desktop-file-utils appstream lintian man-db) ;;
  --windows) packages+=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 wine xvfb xauth icoutils
    locales) ;;
  --windows-qt)
    packages+=(g++-mingw-w64-x86-64-posix dpkg-dev xz-utils)
    want_sources=1
    ;;
  esac
done

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

# "apt-get source" needs a deb-src entry; Debian images ship only the deb ones. The new entry
# repeats the Debian deb entries (same URIs, suites and keys) with the source type.
sources_ready() { apt-cache showsrc --only-source qt6-base 2>/dev/null | grep -q '^Package:'; }
has_deb_src() {
  grep -qsE '^[[:space:]]*(Types:.*[[:space:]]deb-src([[:space:]]|$)|deb-src[[:space:]])' \
    /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources
}
need_update=0
if [ "${want_sources:-0}" = 1 ] && ! sources_ready; then
  need_update=1
fi
if [ "$need_update" = 1 ] && ! has_deb_src; then
  src_list=/etc/apt/sources.list.d/debian-src.sources
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    # deb822 stanzas: keep those of type deb that point at a Debian archive.
    entry=$(awk 'BEGIN { RS = "" }
      /(^|\n)Types:[^\n]*deb( |\n|$)/ && /URIs:[^\n]*debian/ {
        out = ""
        n = split($0, line, "\n")
        for (i = 1; i <= n; i++) {
          if (line[i] ~ /^#/) continue
          if (line[i] ~ /^Types:/) line[i] = "Types: deb-src"
          out = out line[i] "\n"
        }
        printf "%s\n", out
      }' /etc/apt/sources.list.d/debian.sources)
  elif [ -f /etc/apt/sources.list ]; then
    src_list=/etc/apt/sources.list.d/debian-src.list
    entry=$(sed -n 's/^deb \(.*debian.*\)$/deb-src \1/p' /etc/apt/sources.list)
  fi
  if [ -z "${entry:-}" ]; then
    echo "No Debian deb entry found in the APT sources to derive a deb-src entry from." >&2
    exit 1
  fi
  printf '%s\n' "$entry" | "${sudo_cmd[@]}" tee "$src_list" >/dev/null
  echo "Added $src_list" >&2
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && [ "$need_update" = 0 ] && exit 0

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
if [ "$need_update" = 1 ] && ! sources_ready; then
  echo "The APT source index still lacks qt6-base after adding the deb-src entry." >&2
  exit 1
fi
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}" >&2
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
