# Names beyond ASCII: a directory holding "Ωmega.txt" beside a real "Omega.txt", "café.txt"
# and "日本語.txt". The rows read back as the names are; Print on "Ωmega.txt" prints its own
# text, its Greek and Cyrillic letters as they are, with its name in the footer; Delete on it
# deletes it and leaves "Omega.txt". The viewer shows a UTF-8 file whose first line starts with
# a tab as text, every character in its cell.

start_wine "$WORK/prefix" >/dev/null

tree="$WINEPREFIX/drive_c/Names"
mkdir -p "$tree"
printf 'the Greek one: Ωmega, Жук, café\n' >"$tree/Ωmega.txt"
printf 'the Latin one\n' >"$tree/Omega.txt"
printf 'café au lait\n' >"$tree/café.txt"
printf '日本語のテキスト\n' >"$tree/日本語.txt"
printf '\tcafé — 5 €, ½, “quoted”\nΩmega\tЖук\tGrüße\n日本語\tend\n' >"$tree/tabbed.txt"
wine reg add "$SETTINGS_KEY" /v Path /t REG_SZ /d 'C:\Names\*.*' /f >/dev/null 2>&1

# UTF-8 names sort byte by byte: those that start beyond ASCII come first.
rows=("Ωmega.txt" "日本語.txt" "  .. previous" "café.txt" "Omega.txt" "tabbed.txt")

start_quillmar
wait_list ${#rows[@]} 0

step "every row reads back as its name"
for row in "${!rows[@]}"; do
    [ "$row" -gt 0 ] && keys Down
    wait_list ${#rows[@]} "$row"
    deadline=$((SECONDS + 5))
    until [ "$(text_of main 1011)" = "${rows[$row]}" ]; do
        [ $SECONDS -ge $deadline ] && fail "row $row reads '$(text_of main 1011)', not '${rows[$row]}'"
        sleep 0.2
    done
done
wait_text main 1014 '^C:\\Names\\\*\.\*$'
keys Home
wait_list ${#rows[@]} 0
screenshot names

step "Print on Ωmega.txt prints its own text"
mark_pdfs
click_control main 40003
wait_window Print
keys Return
probe gone Print 10000 || fail "the print dialog stayed"
wait_pdf_with "the Greek one" omega
text=$(pdftotext -layout "$WORK/omega.pdf" -)
! grep -qF 'the Latin one' <<<"$text" || fail "Omega.txt was printed"
grep -qF 'the Greek one: Ωmega, Жук, café' <<<"$text" || fail "its text printed as: $text"
grep -qE '^ *Ωmega\.txt( |$)' <<<"$text" || fail "the footer does not name Ωmega.txt: $text"

step "Delete on Ωmega.txt deletes it and leaves Omega.txt"
click_row 0
wait_list ${#rows[@]} 0
click_control main 40004
wait_window Delete
keys y
probe gone Delete 10000 || fail "the question stayed"
deadline=$((SECONDS + 5))
while [ -e "$tree/Ωmega.txt" ]; do
    [ $SECONDS -ge $deadline ] && fail "Ωmega.txt is still there"
    sleep 0.2
done
[ -f "$tree/Omega.txt" ] || fail "Omega.txt went"
[ -f "$tree/café.txt" ] && [ -f "$tree/日本語.txt" ] || fail "another file went"
wait_list $((${#rows[@]} - 1)) 0
[ "$(text_of main 1011)" = "日本語.txt" ] || fail "the first row is '$(text_of main 1011)'"

step "View on tabbed.txt, whose first line starts with a tab, shows its text"
click_row 4
wait_list $((${#rows[@]} - 1)) 4
[ "$(text_of main 1011)" = "tabbed.txt" ] || fail "row 4 is '$(text_of main 1011)'"
viewer='C:\Names\tabbed.txt'
click_control main 40002
wait_window "$viewer"
# The mean brightness (0 to 1, 1 when blank) of the viewer's client area from X to X + WIDTH
# and Y to Y + HEIGHT, from its top left corner.
viewer_brightness() {
    local client shot="$WORK/viewer-part.png"
    client=$(probe client "$viewer") || fail "the viewer has no client area"
    # shellcheck disable=SC2086
    set -- $client "$@"
    import -window root -crop "${7}x${8}+$(($1 + $5))+$(($2 + $6))" +repage "$shot" \
        2>/dev/null || fail "no screenshot"
    convert "$shot" -colorspace Gray -format '%[fx:mean]' info:
}
# Text, not a hex dump: the first row's tab leaves its first cells blank where a hex line has
# its offset, and text follows at the tab stop; the second line starts at once.
text_shown() {
    [ "$(viewer_brightness 2 2 40 10)" = 1 ] && [ "$(viewer_brightness 100 2 300 10)" != 1 ] &&
        [ "$(viewer_brightness 2 20 40 10)" != 1 ]
}
deadline=$((SECONDS + 5))
until text_shown; do
    [ $SECONDS -ge $deadline ] && fail "the viewer shows no text with a blank tab"
    sleep 0.2
done
screenshot viewer-utf8 "$viewer"
keys alt+F4
probe gone "$viewer" 10000 || fail "the viewer stayed open"

keys Escape
wait_exit
