#!/usr/bin/env bash
# Writes a UTF-8 text of about MEGABYTES MB to FILE: the plain text's kind of lines, where about
# one character in ten is not ASCII (accented Latin and Cyrillic letters of two bytes, a few
# signs of three bytes, now and then a wide character). The same bytes every time.
# Usage: bench/generate_utf8_text.sh MEGABYTES FILE
set -euo pipefail
megabytes=$1
file=$2
LC_ALL=C awk -v limit=$((megabytes * 1000000)) 'BEGIN {
    split("the a quiet printer prints every page of text with margins and numbers while a reader waits for the paper to come out of the tray", words, " ")
    n = length(words)
    split("é ü ß ö ж я ш ł ø ç € — ½ 日", others, " ")
    m = length(others)
    seed = 7
    # A pool of lines, each letter replaced with a chance of one in eight (one character in ten).
    for (line = 0; line < 4000; line++) {
        seed = (seed * 1103515245 + 12345) % 2147483648
        count = 3 + seed % 12
        if (line % 23 == 0) count = 30
        text = ""
        for (w = 0; w < count; w++) {
            seed = (seed * 1103515245 + 12345) % 2147483648
            word = words[1 + seed % n]
            out = ""
            for (c = 1; c <= length(word); c++) {
                seed = (seed * 1103515245 + 12345) % 2147483648
                out = out (int(seed / 65536) % 8 == 0 ? others[1 + int(seed / 8) % m] : substr(word, c, 1))
            }
            text = text (w ? " " : "") out
        }
        if (line % 9 == 8) text = ""
        pool[line] = text
    }
    size = 0
    for (line = 0; size < limit; line++) {
        seed = (seed * 1103515245 + 12345) % 2147483648
        text = pool[seed % 4000]
        print text
        size += length(text) + 1
    }
}' >"$file"
