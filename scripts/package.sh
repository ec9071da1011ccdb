#!/usr/bin/env bash
# Builds the Debian package: a release build in build-deb/ with Debian's usual build and
# hardening flags, then `cpack -G DEB`. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
# Let compiler caches be shared by checkouts in different folders.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
bash scripts/deps.sh --package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all

cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DKELVANE_TESTS=OFF -DKELVANE_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" "$@" >/dev/null
cmake --build build-deb -j2
rm -f build-deb/kelvane_*.deb
(cd build-deb && cpack -G DEB >/dev/null)
ls build-deb/kelvane_*.deb
