#!/bin/sh
# Time and peak memory of the hostile skins of make_hostile_skins.py, through --check-skin and at
# start (offscreen, --simulate, --screenshot), each run cut off after LIMIT seconds.
# Usage: bench/measure_hostile_skins.sh PATH/TO/zr4pcctrl [LIMIT]
set -eu
program=$(realpath "$1")
limit=${2:-200}
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/run" "$work/home"
mkdir "$work/home/skins"
python3 "$here/make_hostile_skins.py" "$work/home/skins"
cp "$(dirname "$program")/skins/skindefa.zip" "$work/home/skins/"

measure() {  # label, then the command
  label=$1
  shift
  /usr/bin/time -v -o "$work/time" timeout -k 5 "$limit" "$@" >"$work/out" 2>"$work/err" || true
  seconds=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time")
  kbytes=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
  status=$(sed -n 's/.*Exit status: //p' "$work/time")
  printf '%-34s %10s  %7d MB  exit %-3s stdout %8d bytes  %s\n' "$label" "$seconds" \
    $((kbytes / 1024)) "$status" "$(wc -c <"$work/out")" "$(tail -n 1 "$work/err" | cut -c1-90)"
}

for skin in rle_bomb checkerboard rle_bomb_3mpx checkerboard_3mpx largest busiest skindefa; do
  measure "$skin --check-skin" "$program" --check-skin "$work/home/skins/$skin.zip"
  measure "$skin --check-skin --json" "$program" --check-skin "$work/home/skins/$skin.zip" --json
  printf '[Setting]\r\nSkinIniName=skins\\%s.zip\r\n' "$skin" >"$work/home/zr4pcctrl.ini"
  ZR4PC_HOME="$work/home" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen \
    measure "$skin start --screenshot" "$program" --simulate --screenshot "$work/shot.png"
done
