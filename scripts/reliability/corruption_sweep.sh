#!/usr/bin/env bash
# Every truncation and single-byte change of the sample files through the readers under
# AddressSanitizer and UndefinedBehaviorSanitizer. STRIDE > 1 samples every Nth case.
source "$(dirname "$0")/fuzz_build.sh"
time nice "$FUZZ/bin/corruption_sweep" "${1:-1}"
