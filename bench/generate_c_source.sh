#!/usr/bin/env bash
# Writes a C source of about MEGABYTES MB to FILE: a leading comment block, then functions with
# declarations, block comments, tabs and now and then a line long enough to wrap. The same
# bytes every time. Usage: bench/generate_c_source.sh MEGABYTES FILE
set -euo pipefail
megabytes=$1
file=$2
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
