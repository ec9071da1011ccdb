#!/usr/bin/env bash
# Rename onto every kind of existing name (atomic rename and placeholder fallback), a move
# across file systems, and ROUNDS (default 1000) races against a concurrent mkdir of the
# target: atomic, with the fallback forced, and plain rename() as a control that does
# replace.
source "$(dirname "$0")/common.sh"
build_tools
"$TESTS" --gtest_filter='RenameCollisionTest.*' 2>&1 | grep -E '^\[  (PASSED|FAILED|  SKIPPED) |tests ran'
dir=$(scratch); trap 'rm -rf "$dir"' EXIT
rounds=${1:-1000}
echo "== no-replace rename (renameat2) against mkdir"
nice "$STRESS" race "$dir" "$rounds"
echo "== placeholder fallback (renameat2 failed with EINVAL by the shim) against mkdir"
KELVANE_FAULT=renameat2:0:EINVAL LD_PRELOAD=$SHIM nice "$STRESS" race "$dir" "$rounds"
echo "== control: plain rename() against mkdir (replacements expected)"
nice "$STRESS" race "$dir" "$rounds" --plain || true
