#!/usr/bin/env bash
# Builds Kelvane and starts it on the bundled sample library.
set -euo pipefail
cd "$(dirname "$0")/.."
# Let compiler caches be shared by checkouts in different folders.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target kelvane kelvane-cli sample_data

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "There is no display here (DISPLAY is not set), so the window cannot be shown."
    echo "Run it in a virtual display instead:  xvfb-run -a build/bin/kelvane"
    echo "or use the command-line reader:       build/bin/kelvane-cli --help"
    exit 1
fi
exec build/bin/kelvane "$@"
