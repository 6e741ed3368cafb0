#!/bin/sh
# The shared library exports its public names and none of its internal helpers.
set -eu
lib=$1
symbols=$(nm -D --defined-only -C "$lib")
for name in 'IsZero(double, double)' 'ZT_PI' 'S2D::Point::GetPolarAngle() const' \
            'CZELTMathSettings::GetMS()' 'S2D::IsBetween('; do
  if ! printf '%s\n' "$symbols" | grep -qF "$name"; then
    echo "missing export: $name"
    exit 1
  fi
done
# Internal pieces live in anonymous namespaces or detail namespaces.
if printf '%s\n' "$symbols" | grep -E '\bdetail::|anonymous namespace|TruncToInt|Snap\('; then
  echo "internal helpers are exported"
  exit 1
fi
if soname=$(objdump -p "$lib" | awk '/SONAME/ {print $2}') && [ -z "$soname" ]; then
  echo "no SONAME"
  exit 1
fi
echo "SONAME $soname"
