#!/usr/bin/env bash
# Times the print engine on a plain text of 100 MB (or the size given) with the progress
# reports answered by a host that does nothing, against the program's own host, which looks
# at the thread's messages at every page and at least every 20 ms
# (bench/progress_overhead_bench_win.cpp), on the recording printer that only counts: once with the progress window shown from the first
# look and updated at each one, once with the program's own clock, by which a job this short
# ends before its window is due. Rounds turn the three ways inside one process; the window's
# own cost (made and closed once a job) is fixed, so a larger SIZE_MB shows its share shrink.
# Run by hand after `cmake --preset windows && cmake --build --preset windows`.
# Usage: bench/progress_overhead.sh [ROUNDS] [SIZE_MB]   (defaults: 5 rounds, 100 MB)
set -uo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/common.sh
source "$top/tools/common.sh"
trap 'stop_started' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

rounds=${1:-5}
mb=${2:-100}
program="$top/build/windows/bench/progress_overhead_bench.exe"
[ -f "$program" ] || die "build the windows preset first ($program is missing)"
data="$top/build/bench/data"
mkdir -p "$data"
file="$data/plain_${mb}mb.txt"
[ -s "$file" ] || bash "$top/bench/generate_plain_text.sh" "$mb" "$file"

start_display
start_wine "$top/build/windows/bench-progress-prefix"
log "progress reports off and on, $rounds rounds, $mb MB"
wine "$program" "Z:${file//\//\\}" "$rounds"
