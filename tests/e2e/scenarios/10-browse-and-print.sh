# Browsing a directory the test made, entering a directory and going up, printing a file with
# Enter and another with a double-click, and an exit that saves only the directory.

start_wine "$WORK/prefix" >/dev/null

tree="$WORK/tree"
mkdir -p "$tree/sub"
printf 'Quillmar prints alpha\nsecond line\n' >"$tree/alpha.txt"
printf 'Quillmar prints beta\n' >"$tree/beta.txt"
printf 'inside\n' >"$tree/sub/inner.txt"
tree_dos="Z:${tree//\//\\}"
wine reg add "$SETTINGS_KEY" /v Path /t REG_SZ /d "$tree_dos\\*.*" /f >/dev/null 2>&1

step "the window opens on the saved directory"
start_quillmar
wait_text main 1014 "^${tree_dos//\\/\\\\}\\\\\\*\\.\\*\$"
wait_list 4 0  # "  .. previous", " sub", alpha.txt, beta.txt

step "Enter on a directory row enters it; Enter on the parent row goes up"
click_row 1
wait_list 4 1
keys Return
wait_text main 1014 '\\tree\\sub\\\*\.\*$'
wait_list 2 0
keys Return
wait_text main 1014 '\\tree\\\*\.\*$'
wait_list 4 0

step "Enter on a file row prints it"
mark_pdfs
click_row 2
wait_list 4 2
keys Return
wait_window Print

step "while a job waits in its print dialog, the main window's commands start nothing"
click_control main 40003
for _ in 1 2 3 4 5 6 7 8 9 10; do
    [ "$(probe count Print)" = 1 ] || fail "a second print dialog opened"
    sleep 0.2
done
probe wait Print 100 >/dev/null || fail "the print dialog went away"
click_control Print 1
probe gone Print 10000 || fail "the print dialog stayed"
wait_pdf_with "Quillmar prints alpha" alpha
pdftotext -layout "$WORK/alpha.pdf" - | grep -q "alpha.txt" || fail "no footer with the file name"

step "a double-click on a file row prints it"
click_row 3 2
wait_window Print
keys Return
probe gone Print 10000 || fail "the print dialog stayed"
wait_pdf_with "Quillmar prints beta" beta

step "Exit after changing directory saves the directory without asking"
keys Escape
wait_exit
[ "$(setting Path)" = "$tree_dos\\*.*" ] || fail "Path is '$(setting Path)'"
[ -z "$(setting LeftMargin)" ] || fail "a margin was saved without a question"
