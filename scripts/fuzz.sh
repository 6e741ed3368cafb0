#!/bin/sh
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers on) and runs each for the given number of seconds (default 60).
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$here/build-fuzz"
CC=clang CXX=clang++ "$here/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZELTMATH_FUZZ=ON -DZELTMATH_SANITIZE=ON -DZELTMATH_BUILD_TESTS=OFF \
  -DZELTMATH_BUILD_BENCH=OFF -DZELTMATH_BUILD_TOOLS=OFF
for f in "$build"/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  seeds="$here/fuzz/seeds/${name#fuzz_}"
  echo "fuzzing $name for ${seconds}s"
  if [ -d "$seeds" ]; then
    "$f" -max_total_time="$seconds" -rss_limit_mb=2048 "$corpus" "$seeds"
  else
    "$f" -max_total_time="$seconds" -rss_limit_mb=2048 "$corpus"
  fi
done
