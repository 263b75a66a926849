# The setup dialog: the margin filter, OK redraws the summary; "Save settings?" with Cancel
# keeps the window, Yes writes the values; the next start shows them.

start_wine "$WORK/prefix" >/dev/null

# On the prefix's drive C:, so the pictures show a path a user would have.
tree="$WINEPREFIX/drive_c/Documents"
mkdir -p "$tree/letters" "$tree/sources"
printf 'text\n' >"$tree/note.txt"
printf 'int main(void) { return 0; }\n' >"$tree/hello.c"
printf 'Dear reader,\n' >"$tree/letter.txt"
tree_dos='C:\Documents'
wine reg add "$SETTINGS_KEY" /v Path /t REG_SZ /d "$tree_dos\\*.*" /f >/dev/null 2>&1

start_quillmar
wait_text main 1015 '^Left margin +0\.5 '
screenshot main-window

step "Setup: a typed '-' or letter inserts nothing"
click_control main 40001
wait_window "Quillmar Setup"
wait_text "Quillmar Setup" 1003 '^ 0\.5$'
click_control "Quillmar Setup" 1003
keys End shift+Home BackSpace
type_text "-1x.a5"
wait_text "Quillmar Setup" 1003 '^1\.5$'
click_control "Quillmar Setup" 1005
keys End shift+Home BackSpace
type_text "2"
wait_text "Quillmar Setup" 1005 '^2$'
click_control "Quillmar Setup" 1009  # Line numbers
screenshot setup-dialog "Quillmar Setup"

step "OK redraws the summary with the new figures"
click_control "Quillmar Setup" 1
probe gone "Quillmar Setup" 10000 || fail "the setup dialog stayed"
wait_text main 1015 '^Left margin +1\.5 '
wait_text main 1015 'Top margin +2\.0 '
wait_text main 1015 '^ Line numbers +Yes$'

step "Cancel at 'Save settings?' keeps the window"
keys Escape
wait_box "Save settings?"
keys Escape
probe nobox "Save settings?" 10000 || fail "the question stayed"
probe wait main 100 >/dev/null || fail "the window closed on Cancel"

step "Yes writes the values"
keys Escape
wait_box "Save settings?"
keys y
wait_exit
[ "$(setting LeftMargin)" = " 1.5" ] || fail "LeftMargin is '$(setting LeftMargin)'"
[ "$(setting TopMargin)" = " 2.0" ] || fail "TopMargin is '$(setting TopMargin)'"
[ "$(setting RightMargin)" = " 0.0" ] || fail "RightMargin is '$(setting RightMargin)'"
[ "$(setting LineNumbers)" = "01" ] || fail "LineNumbers is '$(setting LineNumbers)'"
[ "$(setting PageNumbers)" = "01" ] || fail "PageNumbers is '$(setting PageNumbers)'"
[ "$(setting Pitch)" = "0xc" ] || fail "Pitch is '$(setting Pitch)'"

step "the next start shows the saved margins and directory"
start_quillmar
wait_text main 1014 '^C:\\Documents\\\*\.\*$'
wait_text main 1015 '^Left margin +1\.5 '
keys Escape
wait_exit
