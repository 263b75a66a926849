#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target of fuzz/ in turn, each for SECONDS
# (default 60) or until RUNS executions (default: no limit), one after the other on one core.
# New inputs go to build/fuzz/corpus/TARGET (the committed seeds of fuzz/corpus/ stay as they
# are), findings to build/fuzz/artifacts/. Prints each target's executions and coverage, and
# exits non-zero when a target found something.
# Usage: tools/fuzz.sh [SECONDS [RUNS]]
set -uo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top" || exit 1
# shellcheck source=tools/common.sh
source "$top/tools/common.sh"

seconds=${1:-60}
runs=${2:--1}
targets=(fuzz_print_job fuzz_read_line fuzz_text_decoder fuzz_decimal_text fuzz_entry_order fuzz_file_list
    fuzz_postscript_page)

ensure_packages "${QUILLMAR_FUZZ_PACKAGES[@]}" || die "cannot install the packages"
log "building the fuzz preset"
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz || die "fuzz build failed"

failed=()
summary=()
for target in "${targets[@]}"; do
    corpus="$top/build/fuzz/corpus/$target"
    artifacts="$top/build/fuzz/artifacts"
    output="$top/build/fuzz/$target.log"
    mkdir -p "$corpus" "$artifacts"
    log "$target: ${seconds} s"
    # -timeout: one input taking 10 s counts as a hang.
    "$top/build/fuzz/fuzz/$target" -max_total_time="$seconds" -runs="$runs" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
        "$corpus" "$top/fuzz/corpus/$target" >"$output" 2>&1
    status=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$output" | tail -n 1)
    final=$(grep -E '^#[0-9]+[[:space:]]+(DONE|INITED|NEW|REDUCE|pulse)' "$output" | tail -n 1)
    cov=$(sed -n 's/.* cov: \([0-9]*\) .*/\1/p' <<<"$final")
    ft=$(sed -n 's/.* ft: \([0-9]*\) .*/\1/p' <<<"$final")
    line="$target: ${execs:-?} executions, cov ${cov:-?}, ft ${ft:-?}"
    if [ $status -ne 0 ]; then
        line="$line, FOUND SOMETHING (exit status $status; see $output)"
        failed+=("$target")
        grep -E 'ERROR|broken rule|runtime error|SUMMARY|Test unit written' "$output" | head -n 10
    fi
    echo "$line"
    summary+=("$line")
done

log "fuzz summary"
printf '%s\n' "${summary[@]}"
[ ${#failed[@]} -eq 0 ]
