# Names and texts beyond ASCII: a directory holding "Ωmega.txt" beside a real "Omega.txt",
# "café.txt" and "日本語.txt". The rows read back as the names are; Print on "Ωmega.txt" prints
# its own text with its name in the footer; Delete on it deletes it and leaves "Omega.txt";
# the viewer shows a UTF-8 file whose first line starts with a tab as text.

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

step "Print on Ωmega.txt prints its own text, with its name in the footer"
mark_pdfs
click_control main 40003
wait_window Print
keys Return
probe gone Print 10000 || fail "the print dialog stayed"
wait_pdf_with "the Greek one" omega
text=$(pdftotext -layout "$WORK/omega.pdf" -)
grep -qF 'the Greek one: Ωmega, Жук, café' <<<"$text" || fail "the PDF shows: $text"
grep -qF 'Ωmega.txt' <<<"$text" || fail "no footer with the name Ωmega.txt in: $text"
! grep -qF 'the Latin one' <<<"$text" || fail "Omega.txt was printed"

step "View of tabbed.txt shows its UTF-8 text, not a hex dump"
click_row 5
wait_list ${#rows[@]} 5
click_control main 40002
viewer='C:\Names\tabbed.txt'
wait_window "$viewer"
# As text the first line starts with eight blank cells and the second with "Ωmega"; a hex
# dump would start both with its offset digits.
inked() {  # LEFT TOP WIDTH HEIGHT, relative to the viewer's client area: is anything drawn?
    local client shot="$WORK/area.png"
    client=$(probe client "$viewer") || fail "no viewer"
    # shellcheck disable=SC2086
    set -- $client "$@"
    import -window root -crop "${7}x${8}+$(($1 + $5))+$(($2 + $6))" +repage "$shot" 2>/dev/null ||
        fail "no screenshot"
    [ "$(convert "$shot" -colorspace Gray -format '%[fx:mean]' info:)" != 1 ]
}
shown_as_text() { ! inked 1 2 30 8 && inked 40 2 60 8 && inked 1 20 30 8; }
deadline=$((SECONDS + 10))
until shown_as_text; do
    [ $SECONDS -ge $deadline ] && fail "the viewer does not show tabbed.txt as text"
    sleep 0.2
done
screenshot viewer-utf8 "$viewer"
keys alt+F4
probe gone "$viewer" 10000 || fail "the viewer stayed open"

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

keys Escape
wait_exit
