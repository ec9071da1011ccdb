#!/usr/bin/env bash
# Runs each libFuzzer harness (function file, matrix value text, .mat file, JSON form) for SECONDS
# (default 180) from the seed corpus; prints executions, CPU time and findings.
# With --ci, runs each harness a few thousand times only.
source "$(dirname "$0")/fuzz_build.sh"
runs=(-max_total_time="${1:-180}")
[[ "${1:-}" == --ci ]] && runs=(-runs=3000)
status=0
for harness in fdb matrix_text mat_file function_json; do
    corpus="$FUZZ/corpus/$harness"
    mkdir -p "$corpus" "$FUZZ/artifacts"
    start=$(date +%s)
    log=$(nice "$FUZZ/bin/fuzz_$harness" "${runs[@]}" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$FUZZ/artifacts/$harness-" "$corpus" "$FUZZ/seeds/$harness" 2>&1) || status=1
    done_line=$(grep -E '^Done [0-9]+ runs' <<<"$log" || echo "no summary")
    findings=$(grep -cE 'ERROR: (AddressSanitizer|libFuzzer)|runtime error|SUMMARY' <<<"$log" || true)
    echo "fuzz_$harness: $done_line ($(( $(date +%s) - start )) s wall); findings: $findings"
done
exit $status
