#!/bin/sh
# Builds the library and its tests in build/ and runs every test.
# With --sanitize the build goes to build-asan/ with AddressSanitizer and
# UndefinedBehaviorSanitizer.
# With --tsan the build goes to build-tsan/ with ThreadSanitizer; only the
# library and the tests of the areas in TSAN_AREAS (labels; by default the
# reentrancy tests and the base services' per-thread set-up) are built and run.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
build="$here/build"
opts="-DCMAKE_BUILD_TYPE=RelWithDebInfo"
case "${1:-}" in
--sanitize)
  build="$here/build-asan"
  opts="-DCMAKE_BUILD_TYPE=Debug -DZELTMATH_SANITIZE=ON -DZELTMATH_BUILD_BENCH=OFF"
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  ;;
--tsan)
  build="$here/build-tsan"
  areas="${TSAN_AREAS:-threads base}"
  cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELTMATH_SANITIZE_THREAD=ON \
        -DZELTMATH_BUILD_BENCH=OFF >/dev/null
  targets=""
  labels=""
  for a in $areas; do
    targets="$targets test_$a"
    labels="${labels:+$labels|}$a"
  done
  # shellcheck disable=SC2086
  cmake --build "$build" -j "$jobs" --target $targets
  # A report fails the test (exit code 66); second_deadlock_stack gives both
  # stacks of a lock-order report.
  export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$here/tests/threads/tsan.supp${TSAN_OPTIONS:+:$TSAN_OPTIONS}"
  exec ctest --test-dir "$build" --output-on-failure -j "$jobs" -L "^($labels)\$"
  ;;
esac
# shellcheck disable=SC2086
"$here/scripts/build.sh" "$build" $opts
ctest --test-dir "$build" --output-on-failure -j "$jobs"
