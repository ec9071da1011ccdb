#!/usr/bin/env bash
# The short reliability runs for CI (the gtest cases already run with ctest): the fuzz
# harnesses over their seed corpus and a sampled corruption sweep, built with clang.
set -euo pipefail
here=$(dirname "$0")
bash "$here/fuzz.sh" --ci
bash "$here/corruption_sweep.sh" 11
