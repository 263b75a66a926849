#!/usr/bin/env bash
# Times the print engine's layout of large C sources against enscript and wc -l.
# Builds the optimised native preset, generates deterministic C sources of 10 MB and 100 MB
# (under build/bench/data), and prints throughput and peak memory side by side.
# Run by hand: bench/print_throughput.sh [SIZE_MB ...]   (default: 10 100)
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
# shellcheck source=tools/common.sh
source "$top/tools/common.sh"
ensure_packages cmake make g++ enscript time

cmake --preset bench >/dev/null
cmake --build --preset bench --target quillmar-pages >/dev/null
tool="$top/build/bench/tools/pages/quillmar-pages"
data="$top/build/bench/data"
mkdir -p "$data"

# A C source of about $1 MB: a leading comment block, then functions with declarations, block
# comments, tabs and now and then a line long enough to wrap. The same bytes every time.
generate() {
    local megabytes=$1 file=$2
    awk -v limit=$((megabytes * 1000000)) 'BEGIN {
        printf "/*\n * generated.c: a generated source for timing the print engine.\n */\n#include <stdio.h>\n\n"
        size = 100
        for (n = 0; size < limit; n++) {
            block = sprintf("/* Function %d adds its arguments and counts the calls. */\n", n)
            block = block sprintf("static int calls_%d;\n\nint function_%d(int first,\n\t\tint second)\n{\n", n, n)
            block = block sprintf("\tcalls_%d++;\t/* one more call */\n", n)
            block = block sprintf("\tif (first > second) {\n\t\treturn first - second + %d;\n\t}\n", n % 97)
            if (n % 7 == 0) {
                block = block sprintf("\tprintf(\"function %d was called with a rather long message that wraps: %%d %%d\\n\", first, second);\n", n)
            }
            block = block "\treturn first + second;\n}\n\n"
            printf "%s", block
            size += length(block)
        }
    }' >"$file"
}

# Seconds and peak resident kilobytes of a command, its output discarded.
measure() {
    local report
    report=$(mktemp)
    /usr/bin/time -f '%e %M' -o "$report" "$@" >/dev/null 2>&1 || true
    tail -n 1 "$report"
    rm -f "$report"
}

sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(10 100)

printf '%-8s %-44s %9s %10s %12s\n' "source" "command" "seconds" "MB/s" "peak MB"
for mb in "${sizes[@]}"; do
    file="$data/generated_${mb}mb.c"
    [ -s "$file" ] || generate "$mb" "$file"
    bytes=$(stat -c %s "$file")
    for name in quillmar enscript wc; do
        case $name in
            quillmar) cmd=("$tool" --quiet --line-numbers "$file"); label="quillmar-pages --quiet --line-numbers" ;;
            enscript) cmd=(enscript -q -C '--footer=$n||Page $%' -o /dev/null "$file"); label="enscript -q -C --footer=... -o /dev/null" ;;
            wc) cmd=(wc -l "$file"); label="wc -l" ;;
        esac
        best=""
        peak=0
        for run in 1 2 3; do
            read -r seconds kilobytes < <(measure "${cmd[@]}")
            if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
                best=$seconds
            fi
            [ "$kilobytes" -gt "$peak" ] && peak=$kilobytes
        done
        rate=$(awk -v b="$bytes" -v s="$best" 'BEGIN { printf "%.1f", (s > 0 ? b / 1e6 / s : 0) }')
        printf '%-8s %-44s %9s %10s %12.1f\n' "${mb}MB" "$label" "$best" "$rate" "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')"
    done
done
echo
echo "seconds: best of three runs; peak MB: the largest resident set of the three."
echo "targets: quillmar at least 10 times enscript's MB/s; peak memory at most the file size + 16 MB."
