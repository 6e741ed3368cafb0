#!/bin/sh
# Builds the library and its tests in build/ and runs every test.
# With --sanitize the build goes to build-asan/ with AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
opts="-DCMAKE_BUILD_TYPE=RelWithDebInfo"
if [ "${1:-}" = "--sanitize" ]; then
  build="$here/build-asan"
  opts="-DCMAKE_BUILD_TYPE=Debug -DZELTMATH_SANITIZE=ON -DZELTMATH_BUILD_BENCH=OFF"
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
# shellcheck disable=SC2086
"$here/scripts/build.sh" "$build" $opts
jobs=$(nproc 2>/dev/null || echo 2)
ctest --test-dir "$build" --output-on-failure -j "$jobs"
