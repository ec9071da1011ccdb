#!/usr/bin/env bash
# Fails every call of the save path (open, read, write, fsync, close, rename, fchmod) at
# every position with ENOSPC, EIO and EDQUOT through the LD_PRELOAD shim; also the file-size
# limit (ulimit -f), another save's lock, and the permission cases as an unprivileged user.
source "$(dirname "$0")/common.sh"
build_tools
"$TESTS" --gtest_filter='SaveFaultTest.*:PermissionTest.*' 2>&1 |
    grep -E '^error matrix|^\[  (PASSED|FAILED|  SKIPPED) |tests ran'
