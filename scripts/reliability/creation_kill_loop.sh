#!/usr/bin/env bash
# SIGKILLs a process that replaces one function over and over (create --replace,
# alternating two signatures) KILLS times (default 1000) at random points in 0-100 ms;
# after each kill the group must list the function alone and whole, the user's files in
# it kept, and the next edit and creation must go through and leave nothing beside it.
# Then as many again with the folder exchange and no-replace rename taken away (by the
# fault shim), as on a file system without them.
source "$(dirname "$0")/common.sh"
build_tools
kills=${1:-1000}
dir=$(scratch); trap 'rm -rf "$dir"' EXIT
echo "== renameat2 with RENAME_EXCHANGE and RENAME_NOREPLACE"
time nice "$STRESS" createloop "$dir/exchange" "$kills" 100000
echo "== without them (renameat2 failed with EINVAL by the shim)"
time KELVANE_FAULT=renameat2:0:EINVAL LD_PRELOAD=$SHIM nice "$STRESS" createloop "$dir/fallback" \
    "$kills" 100000
