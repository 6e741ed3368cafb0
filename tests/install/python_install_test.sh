#!/bin/sh
# Installs the build into a fresh prefix and imports the Python package from
# there with the PYTHONPATH that the installation prints.
# Usage: python_install_test.sh BUILD_DIR WORK_DIR PYTHON
set -eu
build=$1
work=$2
python=$3
rm -rf "$work"
mkdir -p "$work"
prefix="$work/prefix"
path=$(cmake --install "$build" --prefix "$prefix" | sed -n 's/.*Python package: PYTHONPATH=//p')
echo "printed: PYTHONPATH=$path"
[ -n "$path" ] && [ -f "$path/zeltmath/__init__.py" ] && [ -f "$path/zeltmath/py.typed" ]
cd "$work"
out=$(PYTHONPATH="$path" "$python" -c "
import zeltmath
assert zeltmath.__file__.startswith('$prefix'), zeltmath.__file__
plate = zeltmath.PolyPolygon([[(0, 0), (10, 0), (10, 10), (0, 10)]])
print('area', (plate - zeltmath.PolyPolygon([[(4, 4), (6, 4), (6, 6), (4, 6)]])).area)
")
echo "$out"
[ "$out" = "area 96.0" ]
