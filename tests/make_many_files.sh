#!/usr/bin/env bash
# Makes DIRECTORY holding COUNT empty files named File000000.TXT, file000001.txt, ... (even
# numbers in upper case, odd in lower), on the Linux side: under Wine every new name costs a
# case-blind scan of the directory, so making 100,000 files there would take many minutes.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 DIRECTORY COUNT" >&2; exit 2; }
directory=$1
count=$2
rm -rf "$directory"
mkdir -p "$directory"
cd "$directory"
seq -f 'File%06g.TXT' 0 2 $((count - 1)) | xargs touch
seq -f 'file%06g.txt' 1 2 $((count - 1)) | xargs touch
