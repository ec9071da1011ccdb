#!/usr/bin/env bash
# Starts Kelvane on the sample library in a virtual display (Xvfb), shows a function, a
# group, a tab, a popup, the About box, the four pages of the creation wizard and Find
# Function, and writes a PNG of each; then the same in the English interface.
# Usage: scripts/screenshot.sh [OUTPUT_DIR]   (default: build/screenshots)
#        scripts/screenshot.sh --reference [OUTPUT_DIR]
# With --reference: exports the sample library as an HTML reference and takes pictures of
# its index and of one function's page, wide and on a phone's screen, with headless
# Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KELVANE_BUILD_DIR:-build}
if [[ ${1:-} == --reference ]]; then
    out=${2:-$build/screenshots}
    bash scripts/deps.sh --screenshots
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j2 --target kelvane-cli sample_data
    mkdir -p "$out"
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    "$build/bin/kelvane-cli" --home "$build/bin" export --format html --output "$work/html"
    shot() {  # NAME WIDTH,HEIGHT PAGE
        rm -f "$out/$1"
        chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
            --disable-background-networking --disable-component-update --disable-sync \
            --hide-scrollbars --user-data-dir="$(mktemp -d -p "$work")" \
            --window-size="$2" --screenshot="$out/$1" "file://$work/html/$3" >"$work/log" 2>&1 ||
            true
        [ -s "$out/$1" ] || { cat "$work/log" >&2; echo "no picture $1" >&2; exit 1; }
        echo "$out/$1"
    }
    shot reference-index.png 1000,900 index.html
    shot reference-function.png 1000,620 functions/basic-filter-blur.html
    shot reference-phone.png 390,780 functions/basic-filter-blur.html
    exit 0
fi
out=${1:-$build/screenshots}
bash scripts/deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target kelvane_screenshot sample_data
mkdir -p "$out"
# -a: a free display number; the screen is large enough for the window, its popups and the
# Find Function window beside it.
xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/bin/kelvane_screenshot" --home "$build/bin" "$out" --lang ko
# The same in the English interface, in en/.
mkdir -p "$out/en"
xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/bin/kelvane_screenshot" --home "$build/bin" "$out/en" --lang en
