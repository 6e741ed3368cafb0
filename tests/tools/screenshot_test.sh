#!/bin/sh
# Opens the pictures of the tool's demo in headless Chromium, captures them as
# PNG files and checks that they are not blank.
# Usage: screenshot_test.sh TOOL WORK_DIR SCRIPT_DIR
set -eu
tool=$1
work=$2
here=$3
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
    echo "chromium is not installed (scripts/install-deps.sh installs it)"
    exit 1
fi
rm -rf "$work"
mkdir -p "$work"
cd "$work"
"$tool" demo --folder pics >/dev/null
for picture in web-openings fit; do
    timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/profile" --window-size=700,800 \
        --screenshot="$work/$picture.png" "file://$work/pics/$picture.svg" >/dev/null 2>&1
    python3 "$here/png_nonblank.py" "$work/$picture.png" 0.005
done
