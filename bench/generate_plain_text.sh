#!/usr/bin/env bash
# Writes a plain text of about MEGABYTES MB to FILE: paragraphs of prose-like lines of varied
# length, now and then one long enough to wrap, and blank lines between paragraphs; nothing
# that would make it a source text. The same bytes every time.
# Usage: bench/generate_plain_text.sh MEGABYTES FILE
set -euo pipefail
megabytes=$1
file=$2
awk -v limit=$((megabytes * 1000000)) 'BEGIN {
    split("the a quiet printer prints every page of text with margins and numbers while a reader waits for the paper to come out of the tray", words, " ")
    n = length(words)
    size = 0
    seed = 7
    for (line = 0; size < limit; line++) {
        seed = (seed * 1103515245 + 12345) % 2147483648
        count = 3 + seed % 12
        if (line % 23 == 0) count = 30
        text = ""
        for (w = 0; w < count; w++) {
            seed = (seed * 1103515245 + 12345) % 2147483648
            text = text (w ? " " : "") words[1 + seed % n]
        }
        if (line % 9 == 8) text = ""
        print text
        size += length(text) + 1
    }
}' >"$file"
