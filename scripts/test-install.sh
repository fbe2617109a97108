#!/usr/bin/env bash
# Installs a build into a staging folder and checks it as a user's system would see it: the file
# layout, the installed program run from there, the desktop entry and metadata validators, the
# manual page, and the Debian package with lintian.
# Usage: scripts/test-install.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/test-install.sh BUILD_DIR}
scripts/install-deps.sh --install-checks
started=$(date +%s)
failures=0
check() {  # check NAME COMMAND...: runs a check and counts it
  if "${@:2}"; then
    echo "ok: $1"
  else
    echo "FAILED: $1" >&2
    failures=$((failures + 1))
  fi
}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage/root cmake --install "$build" --prefix /usr >/dev/null
app=io.github.zr4pcctrl.zr4pcctrl

expected=(usr/bin/zr4pcctrl usr/lib/udev/rules.d/60-zr4pcctrl.rules
  usr/share/applications/$app.desktop usr/share/metainfo/$app.metainfo.xml
  usr/share/man/man1/zr4pcctrl.1.gz usr/share/zr4pcctrl/screenshots/zr4pcctrl-window.png
  usr/share/icons/hicolor/scalable/apps/$app.svg usr/share/doc/zr4pcctrl/copyright
  usr/share/zr4pcctrl/skins/skindefa.zip usr/share/zr4pcctrl/skins/classic.ini)
for size in 16 32 48 64 128 256; do
  expected+=(usr/share/icons/hicolor/${size}x$size/apps/$app.png)
done
missing=()
for file in "${expected[@]}"; do [ -f "$stage/root/$file" ] || missing+=("$file"); done
check "installed layout${missing:+ (missing: ${missing[*]})}" test ${#missing[@]} -eq 0

# The installed copy runs from where it was put and writes nothing beside itself.
home=$stage/home
mkdir -p "$home" && chmod 700 "$home"
run() {
  env -u ZR4PC_HOME HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
    XDG_RUNTIME_DIR="$home" QT_QPA_PLATFORM=offscreen ZR4PC_INSTANCE_NAME=zr4pcctrl-install-test \
    "$stage/root/usr/bin/zr4pcctrl" "$@"
}
version=$(sed -n 's/^project(zr4pcctrl VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
check "--version prints $version" test "$(run --version)" = "zr4pcctrl $version"
installed_skin_loads() {
  run --check-skin "$stage/root/usr/share/zr4pcctrl/skins/skindefa.zip" --json |
    grep '"format": "shaped"' >/dev/null
}
check "the installed default skin loads" installed_skin_loads
# The installed skins are found from the program's own place: no fall-back to the built-in one.
starts_with_installed_skin() {
  local said
  said=$(run --simulate --screenshot "$stage/window.png" 2>&1) || return 1
  ! grep -q "内蔵のスキン" <<<"$said"
}
check "headless start on the simulated component with the installed skin" \
  starts_with_installed_skin
check "settings written to the configuration folder" test -f "$home/config/zr4pcctrl/zr4pcctrl.ini"
check "nothing written beside the program" \
  test "$(find "$stage/root/usr/bin" -type f | wc -l)" -eq 1

check "desktop entry" desktop-file-validate "$stage/root/usr/share/applications/$app.desktop"
check "AppStream metadata" appstreamcli validate --no-net --pedantic \
  "$stage/root/usr/share/metainfo/$app.metainfo.xml"
check "manual page" sh -c "man -l '$stage/root/usr/share/man/man1/zr4pcctrl.1.gz' 2>&1 >/dev/null \
  | { ! grep .; }"

scripts/package.sh >/dev/null
deb=$(ls build/package/zr4pcctrl_"$version"_amd64.deb)
check "package holds the program and the udev rule" sh -c \
  "dpkg-deb -c '$deb' | grep ' ./usr/bin/zr4pcctrl$' >/dev/null &&
   dpkg-deb -c '$deb' | grep '/lib/udev/rules.d/60-zr4pcctrl.rules$' >/dev/null"
check "package depends on the libraries it links" sh -c \
  "dpkg-deb -f '$deb' Depends | grep libqt6widgets6 >/dev/null &&
   dpkg-deb -f '$deb' Depends | grep libusb-1.0-0 >/dev/null"
check "lintian finds no errors" sh -c "lintian --fail-on error --suppress-tags-from-file \
  packaging/debian/lintian-suppressed '$deb'"

echo "Install stage: $(($(date +%s) - started)) s" >&2
[ "$failures" -eq 0 ]
