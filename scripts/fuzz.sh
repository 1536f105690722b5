#!/bin/sh
# Builds the fuzz preset and runs every fuzz target for SECONDS_PER_TARGET seconds (default 20)
# on a scratch copy of its seed corpus. Prints each target's executions, coverage and findings;
# fails when any target finds a crash, a sanitizer report, a leak or a hang. Findings and logs
# are kept in build/fuzz/findings.
set -eu
cd "$(dirname "$0")/.."
seconds="${1:-20}"
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# The targets never touch the machine's own serial ports or settings.
export ZELTERM_SERIAL_PORTS=/nonexistent/zelterm-fuzz-port
export ZELTERM_SETTINGS=/nonexistent/zelterm-fuzz-settings.conf
export QT_QPA_PLATFORM=offscreen

scratch=$(mktemp -d "${TMPDIR:-/tmp}/zelterm-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
findings=build/fuzz/findings
mkdir -p "$findings"
failed=0
printf '%-16s %12s %14s %8s %8s  %s\n' target executions edges features corpus findings
for binary in build/fuzz/fuzz/*_fuzz; do
    name=$(basename "$binary" _fuzz)
    cp -r "fuzz/corpus/$name" "$scratch/$name"
    rm -rf "${findings:?}/$name"
    mkdir -p "$findings/$name"
    dict=""
    [ -f "fuzz/dict/$name.dict" ] && dict="-dict=fuzz/dict/$name.dict"
    log="$findings/$name.log"
    status=0
    # Inputs may be long from the start: the seeds are small, and an operator's session of
    # presses needs more bytes than libFuzzer would otherwise allow while coverage keeps growing.
    "$binary" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 -len_control=0 \
        -print_final_stats=1 -artifact_prefix="$findings/$name/" $dict "$scratch/$name" \
        >"$log" 2>&1 || status=$?
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    last=$(grep -E '^#[0-9]+' "$log" | tail -n 1)
    edges=$(echo "$last" | sed -n 's/.* cov: \([0-9]*\).*/\1/p')
    # Out of the edges instrumented in what the target links; the branches of sanitizer checks that
    # never fire count among them.
    edges="$edges/$(sed -n 's/^INFO: Loaded 1 modules *(\([0-9]*\) inline.*/\1/p' "$log")"
    features=$(echo "$last" | sed -n 's/.* ft: \([0-9]*\).*/\1/p')
    corpus=$(echo "$last" | sed -n 's/.* corp: \([0-9]*\).*/\1/p')
    found=$(find "$findings/$name" -type f | wc -l)
    if [ "$status" -ne 0 ]; then
        failed=1
        found="$found (exit $status, see $log)"
    fi
    printf '%-16s %12s %14s %8s %8s  %s\n' "$name" "${executions:-?}" "${edges:-?}" \
        "${features:-?}" "${corpus:-?}" "$found"
done
exit "$failed"
