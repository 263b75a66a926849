#!/usr/bin/env bash
# Times the print engine's layout (`quillmar-pages --quiet --line-numbers`) of this tree beside
# the same tool built from a peer commit (default 2aeb186, the engine that read 8-bit text
# only), in interleaved rounds, with peak memory: a C source and a plain text (ASCII, where the
# ratio must stay at least 0.9), and a UTF-8 text with one character in ten not ASCII (against
# the peer's plain-text figure, where the ratio must stay at least 0.5). Builds both in the
# optimised native `bench` configuration; the peer's sources are taken with `git archive`.
# Run by hand, with nothing else of yours running:
#   bench/text_throughput.sh [ROUNDS] [SIZE_MB] [PEER]   (defaults: 5 rounds, 100 MB, 2aeb186)
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
# shellcheck source=tools/common.sh
source "$top/tools/common.sh"
ensure_packages cmake make g++ time

rounds=${1:-5}
mb=${2:-100}
peer=${3:-2aeb186}

cmake --preset bench >/dev/null
cmake --build --preset bench --target quillmar-pages >/dev/null
tool="$top/build/bench/tools/pages/quillmar-pages"

peer_src="$top/build/bench-peer/$peer/src"
peer_build="$top/build/bench-peer/$peer/build"
if [ ! -x "$peer_build/tools/pages/quillmar-pages" ]; then
    rm -rf "$peer_src"
    mkdir -p "$peer_src"
    git -C "$top" archive "$peer" | tar -x -C "$peer_src"
    cmake -S "$peer_src" -B "$peer_build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ \
        -DCMAKE_C_COMPILER=gcc -DQUILLMAR_TESTS=OFF >/dev/null
    cmake --build "$peer_build" --target quillmar-pages -j 2 >/dev/null
fi
peer_tool="$peer_build/tools/pages/quillmar-pages"

data="$top/build/bench/data"
mkdir -p "$data"
c_file="$data/generated_${mb}mb.c"
plain_file="$data/plain_${mb}mb.txt"
utf8_file="$data/utf8_${mb}mb.txt"
[ -s "$c_file" ] || bash "$top/bench/generate_c_source.sh" "$mb" "$c_file"
[ -s "$plain_file" ] || bash "$top/bench/generate_plain_text.sh" "$mb" "$plain_file"
[ -s "$utf8_file" ] || bash "$top/bench/generate_utf8_text.sh" "$mb" "$utf8_file"

# Seconds (to the millisecond) and peak resident kilobytes of a command, its output discarded.
measure() {
    local report start end
    report=$(mktemp)
    start=$(date +%s%N)
    /usr/bin/time -f '%M' -o "$report" "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo "$(awk -v n=$((end - start)) 'BEGIN { printf "%.3f", n / 1e9 }') $(tail -n 1 "$report")"
    rm -f "$report"
}

best() { sort -g | head -n 1; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
mbps() { awk -v b="$(stat -c %s "$1")" -v s="$2" 'BEGIN { printf "%.0f", b / 1e6 / s }'; }

declare -A times peaks
for kind in c plain utf8; do
    times[$kind]="" times[peer_$kind]="" peaks[$kind]=0 peaks[peer_$kind]=0
done
file_of() { case $1 in c) echo "$c_file" ;; plain) echo "$plain_file" ;; utf8) echo "$utf8_file" ;; esac; }

for _ in $(seq "$rounds"); do
    for kind in c plain utf8; do
        file=$(file_of $kind)
        read -r s k < <(measure "$tool" --quiet --line-numbers "$file")
        times[$kind]+="$s "
        [ "$k" -gt "${peaks[$kind]}" ] && peaks[$kind]=$k
        read -r s k < <(measure "$peer_tool" --quiet --line-numbers "$file")
        times[peer_$kind]+="$s "
        [ "$k" -gt "${peaks[peer_$kind]}" ] && peaks[peer_$kind]=$k
    done
done

printf '%-7s %9s %9s %9s %9s %9s %9s\n' kind "this s" "peer s" "this MB/s" "peer MB/s" ratio "peak MB"
for kind in c plain utf8; do
    file=$(file_of $kind)
    this=$(tr ' ' '\n' <<<"${times[$kind]}" | grep . | best)
    other=$(tr ' ' '\n' <<<"${times[peer_$kind]}" | grep . | best)
    # The UTF-8 text is measured against the peer's ASCII plain text, by throughput.
    if [ $kind = utf8 ]; then
        base=$(tr ' ' '\n' <<<"${times[peer_plain]}" | grep . | best)
        ratio=$(awk -v a="$(mbps "$file" "$this")" -v b="$(mbps "$plain_file" "$base")" \
            'BEGIN { printf "%.2f", a / b }')
    else
        ratio=$(awk -v a="$this" -v b="$other" 'BEGIN { printf "%.2f", b / a }')
    fi
    printf '%-7s %9s %9s %9s %9s %9s %9.1f\n' "$kind" "$this" "$other" "$(mbps "$file" "$this")" \
        "$(mbps "$file" "$other")" "$ratio" "$(awk -v k="${peaks[$kind]}" 'BEGIN { print k / 1024 }')"
done
echo
echo "seconds: best of $rounds interleaved rounds of this tree and the peer $peer; ratio: the"
echo "peer's best time over this one's (utf8: this tree's MB/s on it over the peer's on plain);"
echo "peak MB: this tree's largest resident set (the peer's: $(awk -v k="${peaks[peer_plain]}" 'BEGIN { print k / 1024 }') MB on plain)."
echo "goals: c and plain at least 0.9, utf8 at least 0.5, peak memory about 4 MB."
