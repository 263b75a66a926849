# The custom windows from the main window: View on a text and a binary file with the keys,
# closing and viewing again; Delete answered No (Enter) and Yes (Y), Delete on a directory
# row; the about box, its link opened through the shell, and Ok. While the Delete question
# waits, the program uses almost no processor time.

start_wine "$WORK/prefix" >/dev/null

# On the prefix's drive C:, so the pictures show a path a user would have.
tree="$WINEPREFIX/drive_c/Documents"
mkdir -p "$tree/sub"
# 500 numbered lines, the last without a line feed: End shows it alone at the top.
seq -f 'line %g of the numbered text' 1 499 >"$tree/numbers.txt"
printf 'line 500 of the numbered text' >>"$tree/numbers.txt"
# Bytes of every value, in a fixed order, so the pictures are the same at every run.
perl -e 'print map { chr(($_ * 37 + 11) % 256) } 0 .. 4095' >"$tree/random.bin"
printf 'delete me\n' >"$tree/victim.txt"
tree_dos='C:\Documents'
wine reg add "$SETTINGS_KEY" /v Path /t REG_SZ /d "$tree_dos\\*.*" /f >/dev/null 2>&1

# The shell opens web addresses with the browsers named here: one that records its argument.
opened="$WORK/opened.txt"
cat >"$WORK/browser.sh" <<EOF
#!/bin/sh
printf '%s\n' "\$*" >>"$opened"
EOF
chmod +x "$WORK/browser.sh"
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$WORK/browser.sh" /f \
    >/dev/null 2>&1 || fail "cannot set the prefix's browser"

# Rows: the parent, " sub", numbers.txt, random.bin, victim.txt.
row_sub=1 row_numbers=2 row_random=3 row_victim=4

# The mean brightness (0 to 1) of the lower part of WINDOW's client area: 1 when blank.
lower_brightness() {
    local rect shot="$WORK/brightness.png"
    rect=$(probe wait "$1" 2000) || fail "no window titled '$1'"
    # shellcheck disable=SC2086
    set -- $rect
    # Below the title bar and the first text rows, left of the scroll bar.
    local width=$(($3 - $1 - 60)) height=$((($4 - $2) / 2 - 20))
    import -window root -crop "${width}x${height}+$(($1 + 10))+$(($2 + ($4 - $2) / 2))" \
        +repage "$shot" 2>/dev/null || fail "no screenshot"
    convert "$shot" -colorspace Gray -format '%[fx:mean]' info:
}

# The processor time (clock ticks) used so far by Quillmar.exe of this prefix.
quillmar_ticks() {
    local pid total=0 found=0
    for pid in /proc/[0-9]*; do
        pid=${pid#/proc/}
        grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null || continue
        tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q 'Quillmar\.exe' || continue
        # utime and stime: fields 14 and 15, counted after the command name's parenthesis.
        total=$((total + $(sed 's/^.*) //' "/proc/$pid/stat" | awk '{ print $12 + $13 }')))
        found=1
    done
    [ $found -eq 1 ] || fail "no Quillmar.exe process"
    echo "$total"
}

# Runs the command until it succeeds, for at most 5 seconds.
within() {
    local deadline=$((SECONDS + 5))
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.2
    done
}
blank_below() { [ "$(lower_brightness "$1")" = 1 ]; }
text_below() { [ "$(lower_brightness "$1")" != 1 ]; }

# Saves the screen area that holds both the main window and the window titled TITLE (the
# main window alone without a title) as NAME, once two shots in a row are the same: the
# windows have finished drawing.
settled_screenshot() {
    local name=$1 main window left top right bottom
    main=$(probe wait main 100) || fail "no main window"
    window=$main
    [ -n "${2:-}" ] && { window=$(probe wait "$2" 2000) || fail "no window titled '$2'"; }
    # shellcheck disable=SC2086
    set -- $main $window
    left=$(($1 < $5 ? $1 : $5)) top=$(($2 < $6 ? $2 : $6))
    right=$(($3 > $7 ? $3 : $7)) bottom=$(($4 > $8 ? $4 : $8))
    settled_area "$name" $left $top $right $bottom
}

start_quillmar
wait_list 5 0

step "View on a text file shows it; PageDown, End and Home move through it"
numbers_dos="$tree_dos\\numbers.txt"
click_row $row_numbers
wait_list 5 $row_numbers
click_control main 40002
wait_window "$numbers_dos"
within text_below "$numbers_dos" || fail "the viewer shows no text"
settled_screenshot viewer-text "$numbers_dos"
home="$WORK/screens/viewer-text.png"
keys Next
pagedown_changed() { settled_screenshot viewer-pagedown "$numbers_dos" &&
    [ "$(differing "$home" "$WORK/screens/viewer-pagedown.png")" != 0 ]; }
within pagedown_changed || fail "PageDown did not change the screen"
keys End
within blank_below "$numbers_dos" || fail "End did not bring the last line to the top"
keys Home
home_again() { settled_screenshot viewer-home "$numbers_dos" &&
    [ "$(differing "$home" "$WORK/screens/viewer-home.png")" = 0 ]; }
within home_again || fail "Home did not show the first screen again"

step "the main window waits while the viewer is open; closing it brings it back"
click_control main 40002
[ "$(probe count "$numbers_dos")" = 1 ] || fail "a second viewer opened"
keys alt+F4
probe gone "$numbers_dos" 10000 || fail "the viewer stayed open"

step "View again works"
click_row $row_numbers
click_control main 40002
wait_window "$numbers_dos"
within text_below "$numbers_dos" || fail "the viewer shows no text"
keys alt+F4
probe gone "$numbers_dos" 10000 || fail "the viewer stayed open"

step "View on a binary file shows a hex dump"
random_dos="$tree_dos\\random.bin"
click_row $row_random
wait_list 5 $row_random
click_control main 40002
wait_window "$random_dos"
within text_below "$random_dos" || fail "the viewer shows no hex lines"
settled_screenshot viewer-hex "$random_dos"
keys End
within blank_below "$random_dos" || fail "End did not bring the last hex line to the top"
keys alt+F4
probe gone "$random_dos" 10000 || fail "the viewer stayed open"

step "Delete asks; Enter answers No, which keeps the file"
click_row $row_victim
wait_list 5 $row_victim
click_control main 40004
wait_window Delete
probe kids "&No" 100 | grep -q ' &Yes$' || fail "the question has no Yes button"
settled_screenshot delete-question Delete

step "while the question waits, the program uses almost no processor time"
before=$(quillmar_ticks)
sleep 2  # the sampling period, not a wait for a window
after=$(quillmar_ticks)
ticks=$((after - before))
hz=$(getconf CLK_TCK)
step "  $ticks ticks of $((2 * hz)) in two seconds"
[ $ticks -le $((2 * hz / 10)) ] || fail "the wait used $ticks ticks of $((2 * hz)) in 2 s"

keys Return
probe gone Delete 10000 || fail "the question stayed"
[ -f "$tree/victim.txt" ] || fail "No deleted the file"
wait_list 5 $row_victim

step "Delete answered Y deletes the file and its row"
click_control main 40004
wait_window Delete
keys y
probe gone Delete 10000 || fail "the question stayed"
file_gone() { [ ! -e "$tree/victim.txt" ]; }
within file_gone || fail "Yes did not delete the file"
[ "$(probe list main 1011 | cut -d' ' -f1)" = 4 ] || fail "the row is still in the list"
[ -f "$tree/numbers.txt" ] && [ -f "$tree/random.bin" ] || fail "another file went too"

step "Delete on a directory row asks nothing"
click_row $row_sub
wait_list 4 $row_sub
click_control main 40004
! probe wait Delete 1500 >/dev/null || fail "Delete asked about a directory"
[ -d "$tree/sub" ] || fail "the directory went"

step "About shows the box; its link opens with the shell and closes the box"
click_control main 40005
probe box "&Ok" 10000 >/dev/null || fail "no about box"
link_placed() { probe kids "&Ok" 100 | awk '$5 == "" { found = 1 } END { exit !found }'; }
within link_placed || fail "the about box has no link line"
settled_screenshot about-box
link=$(probe kids "&Ok" 100 | awk '$5 == "" { print $1, $2, $3, $4; exit }')
# shellcheck disable=SC2086
xdotool mousemove $(echo $link | centre_of) click 1
probe nobox "&Ok" 10000 || fail "the link did not close the box"
link_opened() { [ -s "$opened" ]; }
within link_opened || within link_opened || within link_opened || fail "the shell opened nothing"
grep -qx 'https://quillmar.example.org/' "$opened" || fail "the shell opened '$(cat "$opened")'"

step "About again: Ok closes it"
click_control main 40005
probe box "&Ok" 10000 >/dev/null || fail "no about box"
ok=$(probe kids "&Ok" 100 | awk '$5 == "&Ok" { print $1, $2, $3, $4; exit }')
# shellcheck disable=SC2086
xdotool mousemove $(echo $ok | centre_of) click 1
probe nobox "&Ok" 10000 || fail "Ok did not close the box"
[ "$(wc -l <"$opened")" = 1 ] || fail "Ok opened the link"

keys Escape
wait_exit
