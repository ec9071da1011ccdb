# Shared by the reliability scripts: builds the stress tools and tests into
# $KELVANE_BUILD (default build-reliability) and gives their paths.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
BUILD=${KELVANE_BUILD:-build-reliability}
build_tools() {
    if [[ -f "$BUILD/CMakeCache.txt" ]]; then
        cmake -S . -B "$BUILD" >/dev/null
    else
        cmake -S . -B "$BUILD" -G Ninja -DKELVANE_GUI=OFF -DKELVANE_BENCH=OFF >/dev/null
    fi
    nice cmake --build "$BUILD" -j2 --target kelvane-stress kelvane_faultshim reliability_tests >/dev/null
}
STRESS=$PWD/$BUILD/bin/kelvane-stress
SHIM=$PWD/$BUILD/bin/libkelvane_faultshim.so
TESTS=$PWD/$BUILD/bin/reliability_tests
scratch() { mktemp -d "${TMPDIR:-/tmp}/kelvane-rel-XXXXXX"; }
