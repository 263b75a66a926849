# Following and stopping a job: a 50 MB file shows the progress window within a second of the
# print dialog, with a page number that grows; Cancel abandons its document (no PDF), the
# main window takes input again and a small file prints after it. Three files cancelled while
# the second prints: only the first one's PDF arrives.

start_wine "$WORK/prefix" >/dev/null

tree="$WORK/tree"
mkdir -p "$tree"
# Short lines, many pages: the job spends its time making pages, where it can be followed
# and stopped, rather than in handing a few long pages to the spooler at its end.
yes 'big' | head -c 50000000 >"$tree/big.txt"
printf 'Quillmar prints the first file\n' >"$tree/a-first.txt"
printf 'Quillmar prints the third file\n' >"$tree/c-third.txt"
printf 'Quillmar prints the small file\n' >"$tree/small.txt"
tree_dos="Z:${tree//\//\\}"
wine reg add "$SETTINGS_KEY" /v Path /t REG_SZ /d "$tree_dos\\*.*" /f >/dev/null 2>&1

# Rows: "  .. previous", a-first.txt, big.txt, c-third.txt, small.txt.
start_quillmar
wait_list 5 0

# The number on the progress window's page line, empty while there is none.
page_shown() { text_of Printing 103 | sed -n 's/^Page \([0-9][0-9]*\)$/\1/p'; }

# Waits until the progress window shows a page number above $1; prints it.
wait_page_above() {
    local page deadline=$((SECONDS + 30))
    while :; do
        page=$(page_shown)
        [ -n "$page" ] && [ "$page" -gt "$1" ] && { echo "$page"; return 0; }
        [ $SECONDS -ge $deadline ] && fail "the page number stays at '$page'"
        sleep 0.2
    done
}

# Clicks Cancel on the progress window and waits until the job has ended.
cancel_job() {
    click_control Printing 2
    probe gone Printing 10000 || fail "the progress window stayed after Cancel"
    [ "$(probe enabled main)" = 1 ] || fail "the main window is still disabled"
}

# Prints small.txt as a marker: when its PDF has come, every earlier document has been dealt
# with by the spooler.
print_marker() {
    click_row 4
    wait_list 5 4
    keys Return
    wait_window Print
    keys Return
    probe gone Print 10000 || fail "the print dialog stayed"
    wait_pdf_with "Quillmar prints the small file" "$1"
}

# What one probe start costs: the progress window's time is measured through one.
start=$(date +%s%N)
probe count nothing >/dev/null
probe_cost=$((($(date +%s%N) - start) / 1000000))

step "a 50 MB file shows the progress window within a second, its page number growing"
mark_pdfs
click_row 2
wait_list 5 2
click_control main 40003
wait_window Print
[ "$(probe enabled main)" = 1 ] || fail "the main window is disabled before the dialog is answered"
keys Return
start=$(date +%s%N)
probe wait Printing 10000 >/dev/null || fail "no progress window"
elapsed=$((($(date +%s%N) - start) / 1000000))
step "  shown after $elapsed ms (a probe start costs $probe_cost ms)"
[ $((elapsed - probe_cost)) -le 1000 ] || fail "the progress window came after $elapsed ms"
[ "$(probe enabled main)" = 0 ] || fail "the main window takes input while the job runs"
text_of Printing 101 | grep -q 'big\.txt' || fail "the window does not name the file"
[ -z "$(text_of Printing 102)" ] || fail "one file shows a file count"
first=$(wait_page_above 0)
wait_page_above "$first" >/dev/null
screenshot progress Printing

step "Cancel abandons the document; the main window works again"
cancel_job
print_marker small
[ -z "$(new_pdfs)" ] || fail "the cancelled document was printed: $(new_pdfs)"

step "three files cancelled during the second: only the first one's PDF"
mark_pdfs
click_row 1
keys shift+Down shift+Down
wait_list 5 3
click_control main 40003
wait_window Print
keys Return
probe wait Printing 10000 >/dev/null || fail "no progress window"
deadline=$((SECONDS + 30))
until [ "$(text_of Printing 102)" = "File 2 of 3" ]; do
    [ $SECONDS -ge $deadline ] && fail "the window shows '$(text_of Printing 102)'"
    sleep 0.2
done
text_of Printing 101 | grep -q 'big\.txt' || fail "the window does not name the second file"
wait_page_above 1 >/dev/null
cancel_job
wait_pdf_with "Quillmar prints the first file" first
print_marker small-again
[ -z "$(new_pdfs)" ] || fail "more than the first file was printed: $(new_pdfs)"

keys Escape
wait_exit
