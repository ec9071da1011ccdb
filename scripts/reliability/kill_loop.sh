#!/usr/bin/env bash
# SIGKILLs a saving process at random points KILLS times (default 10000) and checks the
# file after each kill: it must be one complete version, never torn or missing; the next
# edit must go through at once and leave nothing beside the file.
source "$(dirname "$0")/common.sh"
build_tools
dir=$(scratch); trap 'rm -rf "$dir"' EXIT
time nice "$STRESS" killloop "$dir" "${1:-10000}" "${2:-4000}"
