#!/bin/sh
# Configures and builds the project.  Usage: scripts/build.sh BUILD_DIR [cmake options...]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=$1
shift
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S "$here" -B "$build" "$@" >/dev/null
cmake --build "$build" -j "$jobs"
