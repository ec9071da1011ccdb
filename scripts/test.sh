#!/usr/bin/env bash
# Builds Kelvane and runs every test: the full suite (widgets headless), then the core
# and command-line tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
# Let compiler caches be shared by checkouts in different folders.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
bash scripts/deps.sh --tests
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVANE_GUI=OFF \
      -DKELVANE_BENCH=OFF -DKELVANE_SANITIZE=ON >/dev/null
cmake --build build-asan -j2
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-asan --output-on-failure -j2

# Reliability: the fuzz harnesses over their seed corpus and a sampled corruption sweep,
# built with clang in build-fuzz (the fault, race and kill cases ran with ctest above).
bash scripts/reliability/ci.sh
