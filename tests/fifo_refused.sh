#!/usr/bin/env bash
# Makes a FIFO on the Linux side and prints it with the layout tool (under Wine for the
# Windows build): the tool must answer "Can't open file" within a second, with no writer on
# the FIFO and with one that keeps it open.
# Usage: fifo_refused.sh WORKDIR TOOL [EMULATOR]
set -uo pipefail
[ $# -ge 2 ] || { echo "usage: $0 WORKDIR TOOL [EMULATOR]" >&2; exit 2; }
workdir=$1
tool=$2
emulator=${3:-}
rm -rf "$workdir"
mkdir -p "$workdir"
cd "$workdir" || exit 1
mkfifo fifo || exit 1
printf 'warm-up\n' > regular.txt

run() {
    # A hang is cut off after 20 seconds; the bound checked is one second.
    timeout 20 $emulator "$tool" "$@"
}

# The first run of a Windows program starts Wine's own processes; keep that out of the timing.
run regular.txt > /dev/null || { echo "the tool fails on a regular file" >&2; exit 1; }

failures=0
check() {
    local what=$1 start end status elapsed err
    start=$(date +%s%N)
    err=$(run fifo 2>&1 >/dev/null)
    status=$?
    end=$(date +%s%N)
    elapsed=$(((end - start) / 1000000))
    err=${err//$'\r'/}
    echo "$what: exit status $status, '$err', $elapsed ms"
    if [ "$status" -ne 1 ] || [ "$err" != "Can't open file" ] || [ "$elapsed" -ge 1000 ]; then
        echo "FAILED: expected exit status 1 and \"Can't open file\" within 1000 ms" >&2
        failures=$((failures + 1))
    fi
}

check "no writer"
# A writer that holds the FIFO open (opened read-write, so it does not wait itself).
sleep 30 <>fifo &
writer=$!
check "a writer holds it open"
kill "$writer" 2>/dev/null
wait "$writer" 2>/dev/null

rm -rf "$workdir"
[ $failures -eq 0 ]
