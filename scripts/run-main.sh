#!/bin/sh
# Builds the library and runs its main job.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/build.sh" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -x "$here/build/tools/zeltmath" ]; then
  "$here/build/tools/zeltmath" demo --folder "$here/build/demo"
else
  "$here/build/examples/zeltmath_example"
fi
