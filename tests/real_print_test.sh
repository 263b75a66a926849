#!/usr/bin/env bash
# Prints documents through the real print path under Wine onto the default printer, a
# cups-pdf queue (two files, each both as PostScript text and with TextOutA), waits for the
# PDFs and has the test executable check them.
# Usage: real_print_test.sh TEST_EXE WORK_DIR     (QUILLMAR_PDF_DIR: where cups-pdf writes)
set -u
exe=$1
work=$2
pdf_dir=${QUILLMAR_PDF_DIR:-}
if [ -z "$pdf_dir" ]; then
    echo "QUILLMAR_PDF_DIR is not set: run the tests through tools/test.sh" >&2
    exit 1
fi
rm -rf "$work"
mkdir -p "$work" "$pdf_dir"
export QUILLMAR_REAL_PRINT_DIR=$work
before=$(ls "$pdf_dir" | sort)

wine "$exe" --gtest_color=no --gtest_filter='RealPrint.*' || exit 1

# Wait until every document's PDF exists and the spooler has no job left.
documents=$(cat "$work/documents" 2>/dev/null)
[ -n "$documents" ] || { echo "the printing step wrote no document count" >&2; exit 1; }
new_pdfs() { comm -13 <(printf '%s\n' "$before") <(ls "$pdf_dir" | sort) | grep '\.pdf$' | sort -V; }
deadline=$((SECONDS + 180))
while :; do
    count=$(new_pdfs | grep -c .)
    if [ "$count" -ge "$documents" ] && [ -z "$(lpstat -o 2>/dev/null)" ]; then
        break
    fi
    if [ $SECONDS -ge $deadline ]; then
        echo "cups-pdf wrote $count of $documents PDFs into $pdf_dir within 180 s" >&2
        lpstat -t >&2
        exit 1
    fi
    sleep 0.5
done

number=0
for pdf in $(new_pdfs | head -n "$documents"); do
    number=$((number + 1))
    mv "$pdf_dir/$pdf" "$work/doc$number.pdf"
    pdfinfo "$work/doc$number.pdf" | sed -n 's/^Pages: *//p' >"$work/doc$number.pages"
    pdftotext -bbox "$work/doc$number.pdf" "$work/doc$number.bbox.html" || exit 1
    pdftohtml -xml -i -stdout "$work/doc$number.pdf" >"$work/doc$number.xml" || exit 1
done

wine "$exe" --gtest_color=no --gtest_filter='RealPrintCheck.*'
