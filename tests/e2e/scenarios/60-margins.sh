# Margins the setup dialog's filter cannot keep out: a pasted "-1" reads as 0 at OK, so the
# summary and the dialog show what is in force and a second OK changes nothing; margins wider
# than the page show a negative usable width and length.

start_wine "$WORK/prefix" >/dev/null

start_quillmar
wait_text main 1015 '^Right margin +0\.0 +0 '

step "a pasted '-1' reads 0.0 at OK"
probe clip "-1" || fail "cannot put '-1' on the clipboard"
click_control main 40001
wait_window "Quillmar Setup"
click_control "Quillmar Setup" 1004  # Right Margin
keys End shift+Home BackSpace ctrl+v
wait_text "Quillmar Setup" 1004 '^-1$'
click_control "Quillmar Setup" 1
probe gone "Quillmar Setup" 10000 || fail "the setup dialog stayed"
wait_text main 1015 '^Right margin +0\.0 +0 '

step "a second OK without an edit changes nothing"
click_control main 40001
wait_window "Quillmar Setup"
wait_text "Quillmar Setup" 1004 '^ 0\.0$'
click_control "Quillmar Setup" 1
probe gone "Quillmar Setup" 10000 || fail "the setup dialog stayed"
wait_text main 1015 '^Right margin +0\.0 +0 '

step "margins of 20 inches show a negative usable width and length"
click_control main 40001
wait_window "Quillmar Setup"
click_control "Quillmar Setup" 1003  # Left Margin
keys End shift+Home BackSpace
type_text "20"
click_control "Quillmar Setup" 1005  # Top Margin
keys End shift+Home BackSpace
type_text "20"
wait_text "Quillmar Setup" 1005 '^20$'
click_control "Quillmar Setup" 1
probe gone "Quillmar Setup" 10000 || fail "the setup dialog stayed"
wait_text main 1015 '^Left margin +20\.0 '
wait_text main 1015 '^Usable width +-1[0-9]\.[0-9] '
wait_text main 1015 'Usable length +-[0-9]\.[0-9] '
screenshot negative-usable

step "No at 'Save settings?' ends the program"
keys Escape
wait_box "Save settings?"
keys n
wait_exit
[ -z "$(setting LeftMargin)" ] || fail "LeftMargin was saved: '$(setting LeftMargin)'"
