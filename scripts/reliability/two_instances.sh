#!/usr/bin/env bash
# Two processes load, change and save the same function file until each has saved SAVES
# times (default 1000), retrying refused saves; the final file must be complete and
# hold every accepted save.
source "$(dirname "$0")/common.sh"
build_tools
dir=$(scratch); trap 'rm -rf "$dir"' EXIT
time nice "$STRESS" instances "$dir" "${1:-1000}"
