#!/usr/bin/env bash
# smoke.sh FUZZER SEEDS REGRESSIONS SECONDS: every seed and every input that
# once broke something, then a short run of new inputs grown from the seeds.
# New inputs go to a scratch folder, never into the repository.
set -euo pipefail
fuzzer=$1 seeds=$2 regressions=$3 seconds=$4
work=$(mktemp -d /tmp/veltrane-fuzz-smoke.XXXXXX)
trap 'rm -rf "$work"' EXIT
shopt -s nullglob

# run LOG ARGS...: the fuzzer, its log kept; on failure the log's tail.
run() {
    local log=$1 status=0
    shift
    "$fuzzer" "$@" >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log"
        echo "fuzzer failed with status $status"
        exit 1
    fi
}

inputs=("$seeds"/* "$regressions"/*)
run "$work/replay.log" "${inputs[@]}"
echo "replayed ${#inputs[@]} seeds and regressions"

mkdir "$work/new"
run "$work/fuzz.log" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/" "$work/new" "$seeds"
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done)' "$work/fuzz.log"
