#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each on its corpus: every stored input once (what
# crashed before stays fixed), then new inputs for a bounded time. New inputs that add coverage
# go to a scratch folder, not into the repository; a crash leaves its input under build/fuzz.
# Usage: scripts/fuzz.sh [SECONDS_OF_NEW_INPUTS_PER_TARGET]   (default 30)
#        scripts/fuzz.sh --merge   shrinks each corpus to the inputs that add coverage
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests  # clang and its libFuzzer runtime
seconds=30
merge=false
case "${1:-}" in
--merge) merge=true ;;
"") ;;
*) seconds=$1 ;;
esac

build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZR4_BUILD_FUZZ=ON -DZR4_BUILD_QT=OFF -DZR4_BUILD_TESTS=OFF -DZR4_WERROR=ON >/dev/null
cmake --build "$build"

artifacts=$build/fuzz-artifacts
mkdir -p "$artifacts"
for fuzzer in "$build"/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] && [ -f "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus=fuzz/corpus/$name
  mkdir -p "$corpus"
  scratch=$(mktemp -d)
  if $merge; then
    "$fuzzer" -merge=1 "$scratch" "$corpus" 2>/dev/null
    rm -f "$corpus"/*
    cp "$scratch"/* "$corpus"/
    echo "$name: $(ls "$corpus" | wc -l) inputs kept" >&2
  else
    echo "$name: the corpus, then ${seconds} s of new inputs" >&2
    flags=(-artifact_prefix="$artifacts/$name-" -timeout=10 -rss_limit_mb=2048)
    "$fuzzer" "${flags[@]}" -runs=0 "$corpus" 2>"$artifacts/$name-regression.log" ||
      { tail -40 "$artifacts/$name-regression.log" >&2; exit 1; }
    "$fuzzer" "${flags[@]}" -max_total_time="$seconds" "$scratch" "$corpus" \
      2>"$artifacts/$name.log" || { tail -40 "$artifacts/$name.log" >&2; exit 1; }
  fi
  rm -rf "$scratch"
done
