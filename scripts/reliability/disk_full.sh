#!/usr/bin/env bash
# Creates and replaces a function on a small tmpfs (mounted here, so run as root) with
# 0, 1, 2, ... MAX_FREE_PAGES (default 40) pages left free: each creation either succeeds
# whole or fails saying the disk is full, naming the function and its folder, and leaves
# everything as it was.
source "$(dirname "$0")/common.sh"
build_tools
dir=$(scratch)
mkdir -p "$dir/disk" "$dir/home"
mount -t tmpfs -o size=512k tmpfs "$dir/disk"
trap 'umount "$dir/disk"; rm -rf "$dir"' EXIT
time "$STRESS" diskfull "$dir/disk" "$dir/home" "${1:-40}"
