# Builds the fuzz harnesses and the corruption sweep with clang into $KELVANE_FUZZ_BUILD
# (default build-fuzz) and writes the seed corpus.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
FUZZ=${KELVANE_FUZZ_BUILD:-build-fuzz}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S tests/fuzz -B "$FUZZ" -G Ninja -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
nice cmake --build "$FUZZ" -j2 >/dev/null
rm -rf "$FUZZ/seeds" && "$FUZZ/bin/make_seeds" "$FUZZ/seeds"
