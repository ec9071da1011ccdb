#!/usr/bin/env bash
# Fails every call of the save path (open, O_TMPFILE open, read, write, fsync, close,
# rename, link, fchmod) at every position with ENOSPC, EIO and EDQUOT through the LD_PRELOAD
# shim; also the file-size limit (ulimit -f), another save in progress, the longest names,
# the permission cases as an unprivileged user, and creation on a full tmpfs (as root) and
# without folder exchange.
source "$(dirname "$0")/common.sh"
build_tools
"$TESTS" --gtest_filter='SaveFaultTest.*:PermissionTest.*:CreationTest.*' 2>&1 |
    grep -E '^error matrix|^\[  (PASSED|FAILED|  SKIPPED) |tests ran'
