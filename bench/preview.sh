#!/usr/bin/env bash
# Times the print preview under Wine on generated C sources of SIZE_MB megabytes (default 1 and
# 100): from the command to the first page drawn and to the final page count, End to the last
# page, a page in the middle, and the memory it adds at its peak; beside the engine alone
# printing the same file onto the same virtual printer, in the same process and runs.
# Run by hand after `cmake --preset windows && cmake --build --preset windows`.
# Usage: bench/preview.sh [RUNS] [SIZE_MB ...]
set -uo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/common.sh
source "$top/tools/common.sh"
trap 'stop_started; rm -rf "$top/build/bench-preview"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

runs=${1:-5}
shift || true
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(1 100)
program="$top/build/windows/bench/preview_bench.exe"
[ -f "$program" ] || die "build the windows preset first ($program is missing)"

directory="$top/build/bench-preview"
mkdir -p "$directory"

start_display
start_wine "$top/build/windows/bench-wineprefix"

for size in "${sizes[@]}"; do
    file="$directory/source-$size.c"
    log "making $file ($size MB)"
    bash "$top/bench/generate_c_source.sh" "$size" "$file" || die "cannot make $file"
    cat "$file" >/dev/null  # in the page cache
    log "the preview under Wine, $size MB"
    wine "$program" "Z:${file//\//\\}" "$runs" || die "the benchmark failed"
done
