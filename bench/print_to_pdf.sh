#!/usr/bin/env bash
# Times a real print of C sources of 1 MB and 10 MB (or the sizes given) onto the default
# printer, a cups-pdf queue, from the start of the program to the finished PDF: PrintFile
# under Wine with a new user's settings (bench/print_file_bench_win.cpp) against
# `enscript -C -p - FILE | lp` on the same queue. Runs are interleaved in pairs, the order
# alternating, the spooler lock held for the whole run. Reports the best of
# the runs of each, the median of the pairs' ratios, and the program's own share (the time
# inside PrintFile over the whole time). Run by hand after `cmake --preset windows &&
# cmake --build --preset windows`.
# Usage: bench/print_to_pdf.sh [RUNS] [SIZE_MB ...]   (defaults: 5 runs, 1 and 10 MB)
#        QUILLMAR_BENCH_FACE=FACE prints in FACE instead of the preset face.
set -uo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/common.sh
source "$top/tools/common.sh"
trap 'stop_started' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

runs=${1:-5}
shift || true
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(1 10)
program="$top/build/windows/bench/print_file_bench.exe"
[ -f "$program" ] || die "build the windows preset first ($program is missing)"
ensure_packages enscript cups-client poppler-utils || die "cannot install enscript"

data="$top/build/bench/data"
mkdir -p "$data"
start_display
# The spooler lock is held for the whole run, from before the spooler may be started, so
# that no other run stops a spooler this one uses or takes its PDFs.
take_spooler_lock
start_print_spooler
start_wine "$top/build/windows/bench-print-prefix"
# Wine's desktop process ends a while after the last window closes, and starting it again can
# wait 10 s for Wine's RPC service; a window kept open, as in a user's session, keeps it.
wine notepad.exe >/dev/null 2>&1 &
QUILLMAR_PIDS+=($!)

now_ms() { date +%s%3N; }

# Waits until a PDF that was not in the listing $1 exists and the spooler is idle; prints its
# name.
wait_for_pdf() {
    local before=$1 deadline=$((SECONDS + 1800)) new
    while [ $SECONDS -lt $deadline ]; do
        new=$(comm -13 <(printf '%s\n' "$before") <(ls "$QUILLMAR_PDF_DIR" | sort) | grep '\.pdf$' | head -n 1)
        if [ -n "$new" ] && [ -z "$(lpstat -o 2>/dev/null)" ]; then
            printf '%s\n' "$new"
            return 0
        fi
        sleep 0.02
    done
    return 1
}

# One run: prints "milliseconds pages [inside_ms]".
run_quillmar() {
    local file=$1 before started out finished pdf
    before=$(ls "$QUILLMAR_PDF_DIR" | sort)
    started=$(now_ms)
    out=$(wine "$program" "Z:${file//\//\\}" ${QUILLMAR_BENCH_FACE:+"$QUILLMAR_BENCH_FACE"}) || return 1
    pdf=$(wait_for_pdf "$before") || return 1
    finished=$(now_ms)
    inside=$(printf '%s\n' "$out" | sed -n 's/.*printfile_ms=\([0-9.]*\).*/\1/p')
    start=$(printf '%s\n' "$out" | sed -n 's/.*start_ms=\([0-9.]*\).*/\1/p')
    pages=$(pdfinfo "$QUILLMAR_PDF_DIR/$pdf" | awk '/^Pages:/ { print $2 }')
    rm -f "$QUILLMAR_PDF_DIR/$pdf"
    echo "$((finished - started)) $pages $inside $start"
    printf '%s\n' "$out" >&2
}

run_enscript() {
    local file=$1 before started finished pdf
    before=$(ls "$QUILLMAR_PDF_DIR" | sort)
    started=$(now_ms)
    enscript -q -C -p - "$file" | lp -s || return 1
    pdf=$(wait_for_pdf "$before") || return 1
    finished=$(now_ms)
    pages=$(pdfinfo "$QUILLMAR_PDF_DIR/$pdf" | awk '/^Pages:/ { print $2 }')
    rm -f "$QUILLMAR_PDF_DIR/$pdf"
    echo "$((finished - started)) $pages"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# A first, untimed print starts whatever the spooler and Wine load on first use.
warm="$data/warm.c"
printf '/* warm */\nint main(void) { return 0; }\n' >"$warm"
run_quillmar "$warm" >/dev/null 2>&1
run_enscript "$warm" >/dev/null 2>&1

printf '\n%-6s %-4s %12s %12s %7s %12s %10s %12s\n' size run quillmar_ms enscript_ms ratio inside_ms start_ms "pages q/e"
for mb in "${sizes[@]}"; do
    file="$data/generated_${mb}mb.c"
    [ -s "$file" ] || bash "$top/bench/generate_c_source.sh" "$mb" "$file"
    quillmar=() enscript=() ratios=() shares=()
    for run in $(seq "$runs"); do
        if [ $((run % 2)) -eq 1 ]; then
            q=$(run_quillmar "$file" 2>/dev/null) && e=$(run_enscript "$file")
        else
            e=$(run_enscript "$file") && q=$(run_quillmar "$file" 2>/dev/null)
        fi
        status=$?
        [ $status -eq 0 ] || die "run $run of ${mb} MB failed"
        read -r q_ms q_pages inside start <<<"$q"
        read -r e_ms e_pages <<<"$e"
        ratio=$(awk -v q="$q_ms" -v e="$e_ms" 'BEGIN { printf "%.2f", q / e }')
        quillmar+=("$q_ms") enscript+=("$e_ms") ratios+=("$ratio")
        shares+=("$(awk -v i="$inside" -v q="$q_ms" 'BEGIN { printf "%.3f", i / q }')")
        printf '%-6s %-4s %12s %12s %7s %12s %10s %12s\n' "${mb}MB" "$run" "$q_ms" "$e_ms" "$ratio" "$inside" "$start" "$q_pages/$e_pages"
    done
    best_q=$(printf '%s\n' "${quillmar[@]}" | sort -n | head -n 1)
    best_e=$(printf '%s\n' "${enscript[@]}" | sort -n | head -n 1)
    printf '%-6s best: quillmar %s ms, enscript %s ms (%.2fx); median ratio %sx; median own share %s\n' \
        "${mb}MB" "$best_q" "$best_e" "$(awk -v q="$best_q" -v e="$best_e" 'BEGIN { print q / e }')" \
        "$(printf '%s\n' "${ratios[@]}" | median)" "$(printf '%s\n' "${shares[@]}" | median)"
done
echo
echo "inside_ms: the time in PrintFile; start_ms: from the program's start to PrintFile."
echo "goal: quillmar at most 1.5 times enscript, its own share (inside PrintFile) under 0.1."
