# Display scaling: the same prefix at 96 and at 192 pixels per inch (LogPixels, as a user sets
# 200 %). At 192 the main window, the setup dialog, the viewer, the Delete question and the
# about box open at about twice their size at 96; the interface font is twice as high; the
# folder picture grows with the rows and stays inside its row, left of the text.

# A screen of its own, as large as the screens that run at 200 %.
start_display 2560x1600 >/dev/null
start_wine "$WORK/prefix" >/dev/null

tree="$WINEPREFIX/drive_c/Documents"
mkdir -p "$tree/sub"
seq -f 'line %g of the numbered text' 1 200 >"$tree/numbers.txt"
printf 'delete me\n' >"$tree/victim.txt"
tree_dos='C:\Documents'
numbers_dos="$tree_dos\\numbers.txt"
wine reg add "$SETTINGS_KEY" /v Path /t REG_SZ /d "$tree_dos\\*.*" /f >/dev/null 2>&1

# Rows: the parent, " sub", numbers.txt, victim.txt.
row_numbers=2 row_victim=3

declare -A seen

# "width height" of a screen rectangle "left top right bottom".
extent() { awk '{ print $3 - $1, $4 - $2 }'; }

# Keeps the size of a window's rectangle as seen[LABEL] and a picture of it as NAME.
keep() {
    local label=$1 rect=$2 name=$3
    seen[$label]=$(extent <<<"$rect")
    # shellcheck disable=SC2086
    set -- $rect
    mkdir -p "$WORK/screens"
    import -window root -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" +repage \
        "$WORK/screens/$name.png" 2>/dev/null || fail "no screenshot of $name"
}

# The bounding box "width height right bottom" of the folder picture's fill colour in row 0 of
# the list, relative to the row's top-left corner; nothing when the row shows none.
folder_box() {
    local rect shot="$WORK/row0-$1.png"
    rect=$(probe row main 1011 0) || fail "no list"
    # shellcheck disable=SC2086
    set -- $rect
    import -window root -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" +repage "$shot" 2>/dev/null ||
        fail "no screenshot of the row"
    convert "$shot" -fill black -fuzz 4% +opaque 'rgb(240,200,70)' -fill white -opaque \
        'rgb(240,200,70)' -format '%@' info: 2>/dev/null |
        awk -F'[x+]' '$1 > 1 { print $1, $2, $3 + $1, $4 + $2 }'
}

# The height of the ink of the path line's text (drawn in the interface font), in pixels.
path_ink_height() {
    local rect shot="$WORK/path-line.png"
    rect=$(probe rect main 1014) || fail "no path line"
    # shellcheck disable=SC2086
    set -- $rect
    # Inside the frame and the panel's 2-pixel border.
    import -window root -crop "$(($3 - $1 - 6))x$(($4 - $2 - 6))+$(($1 + 3))+$(($2 + 3))" \
        +repage "$shot" 2>/dev/null || fail "no screenshot of the path line"
    convert "$shot" -colorspace Gray -threshold 50% -negate -format '%@' info: 2>/dev/null |
        awk -F'[x+]' '{ print $2 }'
}

# Opens every window at the prefix's present resolution, with LABEL as the suffix of what is
# kept.
measure() {
    local dpi=$1 rect
    start_quillmar
    wait_list 4 0
    wait_text main 1015 '^Left margin +0\.5 '
    rect=$(probe wait main 2000) || fail "no main window"
    keep "main$dpi" "$rect" "main-window-$dpi"
    # Wine answers WM_GETFONT only inside the window's own process; then the ink counts alone.
    seen[font$dpi]=$(probe font main 1012) || seen[font$dpi]=
    seen[ink$dpi]=$(path_ink_height)
    seen[row$dpi]=$(probe row main 1011 0 | extent | cut -d' ' -f2)
    seen[folder$dpi]=$(folder_box "$dpi")
    [ -n "${seen[folder$dpi]}" ] || fail "row 0 shows no folder picture at $dpi DPI"

    click_control main 40001
    wait_window "Quillmar Setup"
    rect=$(probe wait "Quillmar Setup" 2000) || fail "no setup dialog"
    keep "setup$dpi" "$rect" "setup-dialog-$dpi"
    keys Escape
    probe gone "Quillmar Setup" 10000 || fail "the setup dialog stayed"

    click_row $row_numbers
    wait_list 4 $row_numbers
    click_control main 40002
    wait_window "$numbers_dos"
    rect=$(probe wait "$numbers_dos" 2000) || fail "no viewer"
    keep "viewer$dpi" "$rect" "viewer-text-$dpi"
    keys alt+F4
    probe gone "$numbers_dos" 10000 || fail "the viewer stayed open"

    click_row $row_victim
    wait_list 4 $row_victim
    click_control main 40004
    wait_window Delete
    rect=$(probe wait Delete 2000) || fail "no Delete question"
    keep "delete$dpi" "$rect" "delete-question-$dpi"
    keys Return
    probe gone Delete 10000 || fail "the question stayed"
    [ -f "$tree/victim.txt" ] || fail "No deleted the file"

    click_control main 40005
    rect=$(probe box "&Ok" 10000) || fail "no about box"
    keep "about$dpi" "$rect" "about-box-$dpi"
    keys Return
    probe nobox "&Ok" 10000 || fail "Ok did not close the about box"

    # The last picture: the main window as it is left.
    keep "main$dpi" "$(probe wait main 2000)" "main-window-$dpi"
    keys Escape
    wait_exit
}

step "every window at 96 DPI"
measure 96

step "every window again at 192 DPI"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1 ||
    fail "cannot set LogPixels"
measure 192

step "each window is about twice as large"
for window in main setup viewer delete about; do
    read -r w1 h1 <<<"${seen[${window}96]}"
    read -r w2 h2 <<<"${seen[${window}192]}"
    step "  $window: ${w1}x$h1 at 96, ${w2}x$h2 at 192"
    awk -v a="$w1" -v b="$w2" -v c="$h1" -v d="$h2" \
        'BEGIN { exit !(b >= 1.7 * a && b <= 2.5 * a && d >= 1.7 * c && d <= 2.5 * c) }' ||
        fail "the $window window is ${w2}x$h2 at 192 DPI, ${w1}x$h1 at 96"
done

step "the interface font is 8 pixels high at 96, 16 at 192"
if [ -n "${seen[font96]}" ]; then
    step "  the drive selector's font: ${seen[font96]} / ${seen[font192]}"
    [ "$(cut -d' ' -f1 <<<"${seen[font96]}")" = 8 ] || fail "font at 96 DPI: ${seen[font96]}"
    [ "$(cut -d' ' -f1 <<<"${seen[font192]}")" = 16 ] || fail "font at 192 DPI: ${seen[font192]}"
fi
ink96=${seen[ink96]} ink192=${seen[ink192]}
step "  the path line's ink: $ink96 pixels high at 96, $ink192 at 192"
[ -n "$ink96" ] && [ "$ink96" -ge 5 ] && [ "$ink96" -le 12 ] || fail "path line ink at 96: '$ink96'"
awk -v a="$ink96" -v b="$ink192" 'BEGIN { exit !(b >= 1.7 * a && b <= 2.3 * a) }' ||
    fail "the path line's text is $ink192 pixels high at 192 DPI, $ink96 at 96"

step "the folder picture grows with its row, inside it and left of the text"
for dpi in 96 192; do
    read -r width height right bottom <<<"${seen[folder$dpi]}"
    row=${seen[row$dpi]} indent=$((20 * dpi / 96))
    step "  $dpi DPI: row $row high, picture fill ${width}x$height ending at $right, $bottom"
    [ "$bottom" -le "$row" ] || fail "the picture reaches below its row at $dpi DPI"
    [ "$right" -lt "$indent" ] || fail "the picture reaches into the text at $dpi DPI"
done
read -r w1 h1 _ <<<"${seen[folder96]}"
read -r w2 h2 _ <<<"${seen[folder192]}"
[ "$w2" -ge $((2 * w1 - 2)) ] && [ "$h2" -ge $((2 * h1 - 2)) ] ||
    fail "the picture did not grow with the rows: ${w1}x$h1 at 96, ${w2}x$h2 at 192"
[ "${seen[row192]}" -ge 28 ] || fail "a row of ${seen[row192]} pixels is lower than its picture"
