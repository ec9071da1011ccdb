#!/usr/bin/env bash
# Saves that stall and saves whose folder moves. ROUNDS (default 1000) times a process
# editing a counter file is stopped with SIGSTOP for STALL_US (default 20000) while
# another edits it: the other is refused only while the first is stopped inside a save,
# no update is lost, the file is always whole. Then ROUNDS renames of a function folder
# away and back, with an empty folder of the same name in its place meanwhile, while
# another process edits the function: nothing left behind, nothing written into the other
# folder, no update lost.
source "$(dirname "$0")/common.sh"
build_tools
rounds=${1:-1000}
dir=$(scratch); trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/stall" "$dir/renames"
echo "== stalled saver"
time nice "$STRESS" stall "$dir/stall" "$rounds" "${2:-20000}"
echo "== folder renamed during saves"
time nice "$STRESS" renames "$dir/renames" "$rounds"
