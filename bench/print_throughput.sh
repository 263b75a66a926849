#!/usr/bin/env bash
# Times the print engine's layout (`quillmar-pages --quiet --line-numbers`) of large texts
# against enscript and `wc -l` on the same files, in interleaved rounds, with peak memory.
# Builds the optimised native `bench` preset and generates (under build/bench/data) a C source
# and a plain text of each size. Run by hand, with nothing else of yours running:
#   bench/print_throughput.sh [ROUNDS] [SIZE_MB ...]   (defaults: 5 rounds, 10 and 100 MB)
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
# shellcheck source=tools/common.sh
source "$top/tools/common.sh"
ensure_packages cmake make g++ enscript time

rounds=${1:-5}
shift || true
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(10 100)

cmake --preset bench >/dev/null
cmake --build --preset bench --target quillmar-pages >/dev/null
tool="$top/build/bench/tools/pages/quillmar-pages"
data="$top/build/bench/data"
mkdir -p "$data"

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

printf '%-6s %-6s %10s %10s %10s %12s %12s %12s\n' size kind quillmar enscript "wc -l" "x enscript" "/ wc -l" "peak MB"
for mb in "${sizes[@]}"; do
    for kind in c plain; do
        if [ $kind = c ]; then
            file="$data/generated_${mb}mb.c"
            [ -s "$file" ] || bash "$top/bench/generate_c_source.sh" "$mb" "$file"
        else
            file="$data/plain_${mb}mb.txt"
            [ -s "$file" ] || bash "$top/bench/generate_plain_text.sh" "$mb" "$file"
        fi
        q=() e=() w=() against_e=() against_w=() peak=0
        for _ in $(seq "$rounds"); do
            read -r qs qk < <(measure "$tool" --quiet --line-numbers "$file")
            read -r es _ < <(measure enscript -q -C '--footer=$n||Page $%' -o /dev/null "$file")
            read -r ws _ < <(measure wc -l "$file")
            q+=("$qs") e+=("$es") w+=("$ws")
            [ "$qk" -gt "$peak" ] && peak=$qk
            against_e+=("$(awk -v q="$qs" -v e="$es" 'BEGIN { printf "%.1f", e / q }')")
            against_w+=("$(awk -v q="$qs" -v w="$ws" 'BEGIN { printf "%.2f", q / w }')")
        done
        printf '%-6s %-6s %10s %10s %10s %12s %12s %12.1f\n' "${mb}MB" "$kind" \
            "$(printf '%s\n' "${q[@]}" | best)" "$(printf '%s\n' "${e[@]}" | best)" \
            "$(printf '%s\n' "${w[@]}" | best)" "$(printf '%s\n' "${against_e[@]}" | median)" \
            "$(printf '%s\n' "${against_w[@]}" | median)" "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')"
    done
done
echo
echo "seconds: best of $rounds interleaved rounds; ratios: median of the rounds' ratios;"
echo "peak MB: quillmar's largest resident set."
echo "goals: at least 30 times enscript's speed on C, at most 3 times wc -l's time on plain text,"
echo "peak memory at most the file size + 16 MB."
