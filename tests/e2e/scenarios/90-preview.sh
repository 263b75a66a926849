# Preview: Alt+R on a file of three pages opens the preview on page 1 of 3; PageDown, End and
# Home move as the title shows; Esc closes it and the main window takes commands again; Ctrl+P
# from the preview prints the file it shows, even with another row selected beside it (the PDF
# read back, and no other); after Setup changes the left margin,
# the next preview shows the new layout. Preview on a directory row opens nothing.

start_wine "$WORK/prefix" >/dev/null

tree="$WINEPREFIX/drive_c/Preview"
mkdir -p "$tree/sub"
# Form feeds end the pages, whatever the printer's page length.
{
    printf 'page one of the preview\n'
    seq -f '    first page line %g' 1 20
    printf 'last line of page one\f\n'
    printf 'page two of the preview\n'
    seq -f '    second page line %g' 1 30
    printf 'end of page two\f\n'
    printf 'page three of the preview\n'
} >"$tree/three.txt"
printf 'the row selected beside the previewed one\n' >"$tree/u.txt"
printf 'printed after the preview\n' >"$tree/v.txt"
tree_dos='C:\Preview'
wine reg add "$SETTINGS_KEY" /v Path /t REG_SZ /d "$tree_dos\\*.*" /f >/dev/null 2>&1
wine reg add "$SETTINGS_KEY" /v FormFeed /t REG_BINARY /d 01 /f >/dev/null 2>&1

# Rows: the parent, " sub", three.txt, u.txt, v.txt.
row_sub=1 row_three=2 row_u=3 row_v=4
title="Preview - three.txt - page"

# Saves the area of the window titled TITLE as NAME once two shots in a row are the same.
settled_window() {
    local rect
    rect=$(probe wait "$2" 2000) || fail "no window titled '$2'"
    # shellcheck disable=SC2086
    settled_area "$1" $rect
}

# The leftmost column of ink in the middle band of a preview picture: the text's left edge
# (the page's border lies outside the middle, the frame is whitened, and text is any pixel below
# 85% brightness).
text_left() {
    convert "$1" -gravity center -crop 80%x60%+0+0 +repage -fill white -fuzz 20% \
        -opaque '#b0c4de' -threshold 85% -negate -trim -format '%X' info: 2>/dev/null |
        tr -d '+'
}

start_quillmar
wait_list 5 0

step "Preview on a directory row opens nothing"
click_row $row_sub
wait_list 5 $row_sub
keys alt+r
sleep 1
[ "$(probe count "$title 1 of 3")" = 0 ] || fail "a preview opened on a directory row"
probe wait main 100 >/dev/null || fail "the main window went away"

step "Alt+R on a file of three pages opens its preview on page 1 of 3"
click_row $row_three
wait_list 5 $row_three
keys alt+r
wait_window "$title 1 of 3"
settled_window preview-first "$title 1 of 3"
click_control main 40003  # the main window is disabled meanwhile
sleep 0.5
[ "$(probe count Print)" = 0 ] || fail "the main window printed while the preview was open"

step "PageDown, End and Home move through the pages as the title shows"
keys Next
wait_window "$title 2 of 3"
keys End
wait_window "$title 3 of 3"
keys Prior
wait_window "$title 2 of 3"
keys Home
wait_window "$title 1 of 3"

step "Esc closes it, and the main window takes commands again"
keys Escape
probe gone "$title 1 of 3" 10000 || fail "the preview stayed open"
click_control main 40002
wait_window "$tree_dos\\three.txt"
keys alt+F4
probe gone "$tree_dos\\three.txt" 10000 || fail "the viewer stayed open"

step "Ctrl+P in the preview closes it and prints the file it shows the normal way"
mark_pdfs
click_row $row_u
wait_list 5 $row_u
keys shift+Up  # three.txt and u.txt selected, the caret on three.txt
wait_list 5 $row_three
keys alt+r
wait_window "$title 1 of 3"
keys ctrl+p
probe gone "$title 1 of 3" 10000 || fail "the preview stayed open"
wait_window Print
click_control Print 1
wait_pdf_with "page one of the preview" printed
pdftotext "$WORK/printed.pdf" - | grep -q "page three of the preview" || fail "no third page"
[ "$(pdfinfo "$WORK/printed.pdf" | sed -n 's/^Pages: *//p')" = 3 ] || fail "not three pages"
# The spooler prints in order: any other document of that print would come before this one.
click_row $row_v
wait_list 5 $row_v
click_control main 40003
wait_window Print
click_control Print 1
wait_pdf_with "printed after the preview" after
[ -z "$(new_pdfs)" ] || fail "the preview's Ctrl+P printed more than the file it showed"

step "after Setup moves the left margin, the preview shows the new layout"
click_control main 40001
wait_window "Quillmar Setup"
click_control "Quillmar Setup" 1003
keys End shift+Home BackSpace
type_text "2.5"
wait_text "Quillmar Setup" 1003 '^2\.5$'
click_control "Quillmar Setup" 1
probe gone "Quillmar Setup" 10000 || fail "the setup dialog stayed"
wait_text main 1015 '^Left margin +2\.5 '
click_row $row_three
keys alt+r
wait_window "$title 1 of 3"
settled_window preview-margin "$title 1 of 3"
before=$(text_left "$WORK/screens/preview-first.png")
after=$(text_left "$WORK/screens/preview-margin.png")
[ -n "$before" ] && [ -n "$after" ] || fail "no text found in the previews"
[ "$after" -gt $((before + 20)) ] || fail "the text starts at $after, before the margin at $before"
keys Escape
probe gone "$title 1 of 3" 10000 || fail "the preview stayed open"

step "Exit"
keys Escape
wait_box "Save settings?"
keys n
wait_exit
