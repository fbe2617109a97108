#!/bin/sh
# The program opens the sound server's client library when the audio outputs are first asked
# for: neither the program itself nor any library it is linked with may need libpulse at start.
# Usage: no_sound_library_at_start.sh PROGRAM
set -eu
program="$1"
needed=$(readelf -d "$program" | grep '(NEEDED)') || true
# A listing without Qt means readelf read nothing useful: fail rather than pass on nothing.
if ! printf '%s\n' "$needed" | grep -q 'libQt6Widgets'; then
  echo "readelf listed no Qt library for $program:"; printf '%s\n' "$needed"; exit 1
fi
if printf '%s\n' "$needed" | grep -q 'libpulse'; then
  echo "$program is linked with libpulse:"; printf '%s\n' "$needed"; exit 1
fi
loaded=$(ldd "$program")
if printf '%s\n' "$loaded" | grep -q 'libpulse'; then
  echo "libpulse comes in at start through a linked library:"; printf '%s\n' "$loaded"; exit 1
fi
echo "no libpulse among the libraries loaded at start"
