#!/usr/bin/env bash
# Times ten C sources of 100 KB (or COUNT files of SIZE_KB) printed for real onto the default
# cups-pdf queue: one job of several (one print dialog, a document per file) against one job
# per file, from the start of the program to the last PDF with the spooler idle
# (bench/print_files_bench_win.cpp). Runs are interleaved in pairs, the order alternating; the
# spooler lock is held for the whole run, from before the spooler is started. Reports each run,
# the best of each way and the median of the pairs' ratios. Run by hand after
# `cmake --preset windows && cmake --build --preset windows`.
# Usage: bench/print_several.sh [RUNS] [COUNT] [SIZE_KB]   (defaults: 5 runs, 10 files, 100 KB)
set -uo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/common.sh
source "$top/tools/common.sh"
trap 'stop_started' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

runs=${1:-5}
count=${2:-10}
kb=${3:-100}
program="$top/build/windows/bench/print_files_bench.exe"
[ -f "$program" ] || die "build the windows preset first ($program is missing)"

data="$top/build/bench/data/several"
mkdir -p "$data"
big="$top/build/bench/data/generated_1mb.c"
[ -s "$big" ] || bash "$top/bench/generate_c_source.sh" 1 "$big"
files=()
for i in $(seq "$count"); do
    file="$data/part_${kb}kb_$i.c"
    # Each part from its own place in the source, so the files differ.
    [ -s "$file" ] || tail -c +$((i * 1000 + 1)) "$big" | head -c $((kb * 1000)) >"$file"
    files+=("Z:${file//\//\\}")
done

start_display
take_spooler_lock
start_print_spooler
start_wine "$top/build/windows/bench-several-prefix"
# A window kept open keeps Wine's desktop process, as in a user's session.
wine notepad.exe >/dev/null 2>&1 &
QUILLMAR_PIDS+=($!)

now_ms() { date +%s%3N; }

# Waits until COUNT PDFs that were not in the listing $1 exist and the spooler is idle; removes
# them.
wait_for_pdfs() {
    local before=$1 deadline=$((SECONDS + 1800)) new
    while [ $SECONDS -lt $deadline ]; do
        new=$(comm -13 <(printf '%s\n' "$before") <(ls "$QUILLMAR_PDF_DIR" | sort) | grep -c '\.pdf$')
        if [ "$new" -ge "$count" ] && [ -z "$(lpstat -o 2>/dev/null)" ]; then
            comm -13 <(printf '%s\n' "$before") <(ls "$QUILLMAR_PDF_DIR" | sort) | grep '\.pdf$' |
                while read -r pdf; do rm -f "$QUILLMAR_PDF_DIR/$pdf"; done
            return 0
        fi
        sleep 0.02
    done
    return 1
}

# One run: prints "milliseconds inside_ms".
run_way() {
    local way=$1 before started out
    before=$(ls "$QUILLMAR_PDF_DIR" | sort)
    started=$(now_ms)
    out=$(wine "$program" "$way" "${files[@]}") || return 1
    wait_for_pdfs "$before" || return 1
    echo "$(($(now_ms) - started)) $(printf '%s\n' "$out" | sed -n 's/.*inside_ms=\([0-9.]*\).*/\1/p')"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

run_way one >/dev/null 2>&1  # untimed: what Wine and the spooler load on first use

printf '\n%-4s %10s %10s %10s %10s %7s\n' run one_ms one_in each_ms each_in ratio
ones=() eachs=() ratios=()
for run in $(seq "$runs"); do
    if [ $((run % 2)) -eq 1 ]; then
        o=$(run_way one) && e=$(run_way each)
    else
        e=$(run_way each) && o=$(run_way one)
    fi
    status=$?
    [ $status -eq 0 ] || die "run $run failed"
    read -r o_ms o_in <<<"$o"
    read -r e_ms e_in <<<"$e"
    ratio=$(awk -v o="$o_ms" -v e="$e_ms" 'BEGIN { printf "%.3f", o / e }')
    ones+=("$o_ms") eachs+=("$e_ms") ratios+=("$ratio")
    printf '%-4s %10s %10s %10s %10s %7s\n' "$run" "$o_ms" "$o_in" "$e_ms" "$e_in" "$ratio"
done
printf '\n%d files of %d KB: best one job %s ms, best one job each %s ms, median ratio %s\n' \
    "$count" "$kb" "$(printf '%s\n' "${ones[@]}" | sort -n | head -n 1)" \
    "$(printf '%s\n' "${eachs[@]}" | sort -n | head -n 1)" \
    "$(printf '%s\n' "${ratios[@]}" | median)"
