#!/usr/bin/env bash
# Times the file viewer under Wine on generated text files of SIZE_MB megabytes (default 1
# and 100): View to the first drawn screen and the End key, median of RUNS runs (default 7),
# beside `wc -l` on the same file. The keys' times show whether scrolling depends on the
# file's size. Run by hand after `cmake --preset windows && cmake --build --preset windows`.
# Usage: bench/file_viewer.sh [RUNS] [SIZE_MB ...]
set -uo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tools/common.sh
source "$top/tools/common.sh"
trap 'stop_started; rm -rf "$top/build/bench-viewer"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

runs=${1:-7}
shift || true
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(1 100)
program="$top/build/windows/bench/file_viewer_bench.exe"
[ -f "$program" ] || die "build the windows preset first ($program is missing)"

directory="$top/build/bench-viewer"
mkdir -p "$directory"

# Lines of 0 to 120 characters of words, like a source text or a log; the same every time.
make_text() {
    perl -e '
        my ($bytes) = @ARGV; my @w = qw(int char return while print margin page line file quill);
        srand(7); my $n = 0;
        while ($n < $bytes) {
            my $l = join(" ", map { $w[int(rand(@w))] } 1 .. int(rand(20))) . "\n";
            print $l; $n += length $l;
        }' "$1"
}

start_display
start_wine "$top/build/windows/bench-wineprefix"

for size in "${sizes[@]}"; do
    file="$directory/text-$size.txt"
    log "making $file ($size MB)"
    make_text $((size * 1024 * 1024)) >"$file" || die "cannot make $file"
    cat "$file" >/dev/null  # in the page cache for both

    log "the viewer under Wine, $size MB"
    wine "$program" "Z:${file//\//\\}" "$runs" || die "the benchmark failed"

    times=()
    for _ in $(seq "$runs"); do
        start=$(date +%s%N)
        wc -l "$file" >/dev/null
        end=$(date +%s%N)
        times+=("$(((end - start) / 1000))")
    done
    median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
    printf 'wc -l on Linux                       median %9.3f ms   ( %s µs )\n' \
        "$(awk -v m="$median" 'BEGIN { print m / 1000 }')" "${times[*]}"
done
