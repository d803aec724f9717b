#!/usr/bin/env bash
# Builds the fuzz targets of the readers (the fuzz preset: clang 14, libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs each for a few seconds, starting from a copy of its
# seed corpus in fuzz/corpus so the tree is never written to. Fails on any crash, leak, timeout or
# sanitizer report; the input that caused it is kept in build/fuzz/findings.
# MORVANE_FUZZ_SECONDS sets the time per target (3 by default, about 30 s in all).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${MORVANE_FUZZ_SECONDS:-3}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings=build/fuzz/findings
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=()
printf '%-18s %10s %8s %8s\n' target executions cov ft
for seeds in fuzz/corpus/*/; do
    name=$(basename "$seeds")
    target=build/fuzz/fuzz/fuzz_$name
    if [ ! -x "$target" ]; then
        echo "no fuzz target for the seed corpus $seeds" >&2
        failed+=("$name")
        continue
    fi
    mkdir -p "$work/$name/corpus" "$work/$name/findings"
    cp -r "$seeds". "$work/$name/corpus/"
    # -timeout: one input taking longer than this is a hang, and a failure.
    if ! "$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$work/$name/findings/" "$work/$name/corpus" >"$work/$name/log" 2>&1 ||
        grep -q -E 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' \
            "$work/$name/log"; then
        failed+=("$name")
        mkdir -p "$findings/$name"
        cp -r "$work/$name/findings/." "$findings/$name/"
        cp "$work/$name/log" "$findings/$name/log"
        echo "== $name failed; its log and input are in $findings/$name" >&2
        grep -E -A12 '==ERROR|runtime error:|^broken:|SUMMARY' "$work/$name/log" >&2 ||
            tail -n 40 "$work/$name/log" >&2
        continue
    fi
    # The last status line: "#N DONE cov: C ft: F corp: ..."
    done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$work/$name/log" | tail -n 1 || true)
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$name/log" | tail -n 1)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$done_line")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$done_line")
    printf '%-18s %10s %8s %8s\n' "$name" "${runs:-?}" "${cov:-?}" "${ft:-?}"
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing failed: ${failed[*]}" >&2
    exit 1
fi
echo "fuzzing: every target ran ${seconds} s without a finding"
