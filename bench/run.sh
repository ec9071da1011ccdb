#!/usr/bin/env bash
# Builds and runs the benchmarks; prints each result with its floor and ratio.
#   bench/run.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KELVANE_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVANE_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target list_bench export_bench make_synthetic_library gui_bench \
    search_bench find_bench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "== list of a 10,000-function group"
"$build/bin/list_bench" "$work/lib" "${1:-7}"

echo "== JSON export of a 100,000-function library"
"$build/bin/export_bench" "$work/export" "${1:-5}"

echo "== window: start-up, a 10,000-function listing, expanding 10,000 folders"
# The offscreen platform warns once per window about size hints; that says nothing here.
"$build/bin/gui_bench" "$work/gui" "${1:-7}" 2> >(grep -v propagateSizeHints >&2)

echo "== search of 100,000 functions"
"$build/bin/search_bench" "$work/search" "${1:-5}"

echo "== Find Function: Enter to the first result, on the same library"
"$build/bin/find_bench" "$work/search" "${1:-5}" 2> >(grep -v propagateSizeHints >&2)
