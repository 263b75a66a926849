# Several rows of the list: Shift+Down over a directory and three files prints the three
# files after one print dialog, each its own PDF in list order; Ctrl+click takes a row out and
# Ctrl+A takes them all; the caret row carries a focus mark unless it is the one selected row;
# Delete on two files answered No keeps both, Y deletes both and nothing else.

start_wine "$WORK/prefix" >/dev/null

tree="$WORK/tree"
mkdir -p "$tree/sub"
for name in a b c d; do
    printf 'Quillmar prints file %s\n' "$name" >"$tree/$name.txt"
done
tree_dos="Z:${tree//\//\\}"
wine reg add "$SETTINGS_KEY" /v Path /t REG_SZ /d "$tree_dos\\*.*" /f >/dev/null 2>&1

# Rows: "  .. previous", " sub", a.txt, b.txt, c.txt, d.txt.
start_quillmar
wait_list 6 0

# Waits until the list's selected rows are ROWS ("2 3 4").
wait_selected() {
    local seen deadline=$((SECONDS + 10))
    while :; do
        seen=$(probe selected main 1011)
        [ "$seen" = "$1" ] && return 0
        [ $SECONDS -ge $deadline ] && fail "the selected rows are '$seen', not '$1'"
        sleep 0.2
    done
}

# Waits until list row INDEX shows the caret's focus mark (MARKED yes) or not (no): the mark's
# dots give the row's top line more than one colour.
wait_mark() {
    local left top right bottom colours deadline=$((SECONDS + 10))
    read -r left top right bottom < <(probe row main 1011 "$1") || fail "no row $1"
    while :; do
        import -window root -crop "$((right - left - 4))x1+$((left + 2))+$top" +repage \
            "$WORK/row.png" 2>/dev/null || fail "no screenshot"
        colours=$(convert "$WORK/row.png" -unique-colors txt:- | grep -c '^[0-9]')
        [ "$2" = yes ] && [ "$colours" -gt 1 ] && return 0
        [ "$2" = no ] && [ "$colours" = 1 ] && return 0
        [ $SECONDS -ge $deadline ] && fail "row $1: focus mark '$2' expected, $colours colours"
        sleep 0.2
    done
}

# Clicks row INDEX with KEY (shift or ctrl) held.
click_row_with() {
    local where
    where=$(probe row main 1011 "$2" | centre_of) || fail "no list"
    # shellcheck disable=SC2086
    xdotool mousemove $where keydown "$1" click 1 keyup "$1"
}

step "Shift+Down from the directory row selects it and three files"
click_row 1
wait_selected 1
keys shift+Down shift+Down shift+Down
wait_selected "1 2 3 4"
wait_list 6 4  # the caret follows the keys
wait_mark 4 yes
wait_mark 3 no

step "Print asks once and prints each file as its own document, in list order"
mark_pdfs
click_control main 40003
wait_window Print
keys Return
probe gone Print 10000 || fail "the print dialog stayed"
for name in a b c; do
    wait_pdf_with "Quillmar prints file $name" "$name"
    pdftotext -layout "$WORK/$name.pdf" - | grep -q "$name\.txt" ||
        fail "the PDF of $name.txt has no footer with its name"
    pdftotext "$WORK/$name.pdf" - | grep -q "Quillmar prints file [^$name]" &&
        fail "the PDF of $name.txt holds another file"
done
[ "$(probe count Print)" = 0 ] || fail "a second print dialog opened"
# cups-pdf writes the documents one after the other, in the order they were sent.
order=$(ls -tr "$WORK"/[abc].pdf | xargs -n1 basename | tr '\n' ' ')
[ "$order" = "a.pdf b.pdf c.pdf " ] || fail "the documents arrived as $order"
[ -z "$(new_pdfs)" ] || fail "more PDFs than files: $(new_pdfs)"

step "a plain click leaves one row; Shift+click extends; Ctrl+click takes a row out"
click_row 2
wait_selected 2
wait_mark 2 no  # one row selected, the caret on it: no mark, as ever
click_row_with shift 5
wait_selected "2 3 4 5"
click_row_with ctrl 3
wait_selected "2 4 5"
wait_mark 3 yes  # the caret on the row taken out
wait_mark 5 no

step "Ctrl+A selects every row"
keys ctrl+a
wait_selected "0 1 2 3 4 5"

step "Delete on two files asks once; No keeps them"
click_row 4
click_row_with shift 5
wait_selected "4 5"
click_control main 40004
wait_window Delete
[ "$(probe count Delete)" = 1 ] || fail "more than one question"
keys Return
probe gone Delete 10000 || fail "the question stayed"
[ -f "$tree/c.txt" ] && [ -f "$tree/d.txt" ] || fail "No deleted a file"
wait_list 6 5

step "Y deletes both files and their rows, and nothing else"
wait_selected "4 5"
click_control main 40004
wait_window Delete
keys y
probe gone Delete 10000 || fail "the question stayed"
both_gone() { [ ! -e "$tree/c.txt" ] && [ ! -e "$tree/d.txt" ]; }
deadline=$((SECONDS + 10))
until both_gone; do
    [ $SECONDS -ge $deadline ] && fail "Yes did not delete both files"
    sleep 0.2
done
[ -f "$tree/a.txt" ] && [ -f "$tree/b.txt" ] && [ -d "$tree/sub" ] || fail "another file went"
[ "$(probe list main 1011 | cut -d' ' -f1)" = 4 ] || fail "the rows are still in the list"
[ "$(probe selected main 1011)" = 3 ] || fail "not one row selected after the delete"

step "entering a directory leaves row 0 alone selected"
click_row 1
keys ctrl+a
wait_selected "0 1 2 3"
wait_list 4 1
keys Return
wait_text main 1014 '\\tree\\sub\\\*\.\*$'
wait_selected 0

keys Escape
wait_exit
