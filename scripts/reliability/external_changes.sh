#!/usr/bin/env bash
# ROUNDS (default 3000) of load, an outside change or a harmless touch, save: every change
# stopped, no false alarm.
source "$(dirname "$0")/common.sh"
build_tools
"$TESTS" --gtest_filter='ExternalChangeTest.*' 2>&1 | grep -E '^\[  (PASSED|FAILED) |tests ran'
dir=$(scratch); trap 'rm -rf "$dir"' EXIT
time nice "$STRESS" changes "$dir" "${1:-3000}"
