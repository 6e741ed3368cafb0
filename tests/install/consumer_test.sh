#!/bin/sh
# Usage: consumer_test.sh BUILD_DIR CONSUMER_SOURCE WORK_DIR CXX
set -eu
build=$1
source=$2
work=$3
cxx=$4
rm -rf "$work"
mkdir -p "$work"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

# find_package(ZELTMath)
cmake -S "$source" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
out=$("$work/cmake-build/consumer")
echo "cmake consumer: $out"
[ "$out" = "IsZero=1 Point=(3,4) length=5" ]

# pkg-config
libdir=$(ls -d "$prefix"/lib*/pkgconfig | head -n 1)
export PKG_CONFIG_PATH="$libdir"
flags=$(pkg-config --cflags --libs zeltmath)
# shellcheck disable=SC2086
"$cxx" -std=c++17 "$source/consumer.cpp" -o "$work/pc-consumer" $flags
out=$(LD_LIBRARY_PATH="$(dirname "$libdir")" "$work/pc-consumer")
echo "pkg-config consumer: $out"
[ "$out" = "IsZero=1 Point=(3,4) length=5" ]
