#!/usr/bin/env bash
# Starts Kelvane on the sample library in a virtual display (Xvfb), shows a function, a
# group, a tab, a popup, the About box, the four pages of the creation wizard and Find
# Function, and writes a PNG of each.
# Usage: scripts/screenshot.sh [OUTPUT_DIR]   (default: build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KELVANE_BUILD_DIR:-build}
out=${1:-$build/screenshots}
bash scripts/deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target kelvane_screenshot sample_data
mkdir -p "$out"
# -a: a free display number; the screen is large enough for the window, its popups and the
# Find Function window beside it.
xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/bin/kelvane_screenshot" --home "$build/bin" "$out"
