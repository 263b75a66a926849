#!/usr/bin/env bash
# Times Quillmar's start under Wine up to a visible main window, median of RUNS runs (default
# 5): on C:\ and on a directory of COUNT files (default 100,000), whose whole list is made
# before the window shows. The time runs from launching Quillmar.exe until the probe, polling
# every 50 ms, sees the window. Run by hand after `cmake --build --preset windows`.
# Usage: bench/startup.sh [RUNS] [COUNT]
set -uo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/common.sh
source "$top/tools/common.sh"
trap 'stop_started; rm -rf "$top/build/bench-files"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

runs=${1:-5}
count=${2:-100000}
program="$top/build/windows/Quillmar.exe"
probe="$top/build/windows/tests/probe.exe"
[ -f "$program" ] && [ -f "$probe" ] || die "build the windows preset first"

directory="$top/build/bench-files"
log "making $count files in $directory"
bash "$top/tests/make_many_files.sh" "$directory" "$count" || die "cannot make the files"
[ -n "${DISPLAY:-}" ] || start_display
start_wine "$top/build/windows/bench-startup-prefix"
key='HKCU\Software\Vornhald Freeware\Quillmar\Settings'

# Prints the milliseconds from launch to a visible main window.
one_start() {
    local start end pid
    start=$(date +%s%N)
    wine "$program" >/dev/null 2>&1 &
    pid=$!
    wine "$probe" wait main 120000 >/dev/null 2>&1 || die "no main window"
    end=$(date +%s%N)
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    echo $(((end - start) / 1000000))
}

measure() {
    local label=$1 path=$2 times=() median
    wine reg add "$key" /v Path /t REG_SZ /d "$path" /f >/dev/null 2>&1
    one_start >/dev/null  # warm the caches
    for _ in $(seq "$runs"); do
        times+=("$(one_start)")
    done
    median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
    printf '%-34s median %6d ms   ( %s ms )\n' "$label" "$median" "${times[*]}"
}

log "start to a visible main window, median of $runs"
measure 'C:\ (a few entries)' 'C:\*.*'
measure "$count files" "Z:${directory//\//\\}\\*.*"
