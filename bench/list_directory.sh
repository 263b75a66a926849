#!/usr/bin/env bash
# Times the listing of a directory of COUNT files (default 100,000) by FileList::Rescan
# under Wine, median of RUNS runs (default 7), and `ls -f | sort -f` on the same directory
# on Linux. Run by hand after `cmake --preset windows && cmake --build --preset windows`.
# Usage: bench/list_directory.sh [COUNT] [RUNS]
set -uo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/common.sh
source "$top/tools/common.sh"
trap 'stop_started; rm -rf "$top/build/bench-files"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

count=${1:-100000}
runs=${2:-7}
program="$top/build/windows/bench/list_directory_bench.exe"
[ -f "$program" ] || die "build the windows preset first ($program is missing)"

directory="$top/build/bench-files"
log "making $count files in $directory"
bash "$top/tests/make_many_files.sh" "$directory" "$count" || die "cannot make the files"

start_wine "$top/build/windows/bench-wineprefix"
log "FileList::Rescan under Wine"
wine "$program" "Z:${directory//\//\\}\\*.*" "$runs" || die "the benchmark failed"

log "ls -f | sort -f on Linux"
times=()
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    ls -f "$directory" | sort -f >/dev/null
    end=$(date +%s%N)
    times+=("$(((end - start) / 1000))")
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
printf 'ls -f | sort -f                    median %8.1f ms   ( %s µs )\n' \
    "$(awk -v m="$median" 'BEGIN { print m / 1000 }')" "${times[*]}"
