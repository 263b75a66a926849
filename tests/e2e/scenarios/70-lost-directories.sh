# Directories that cannot be listed: a saved Path whose directory was removed opens its nearest
# existing parent and stays stored until the user changes directory; a directory that vanished
# after it was listed, and one that cannot be read, still list "  .. previous".

start_wine "$WORK/prefix" >/dev/null

tree="$WORK/tree"
mkdir -p "$tree/locked/inside" "$tree/vanish"
printf 'text\n' >"$tree/note.txt"
tree_dos="Z:${tree//\//\\}"
tree_pattern="${tree_dos//\\/\\\\}"
saved="$tree_dos\\gone\\deeper\\*.*"
wine reg add "$SETTINGS_KEY" /v Path /t REG_SZ /d "$saved" /f >/dev/null 2>&1

step "a saved Path whose directory was removed opens its nearest existing parent"
start_quillmar
wait_text main 1014 "^$tree_pattern\\\\\\*\\.\\*\$"
wait_list 4 0  # "  .. previous", " locked", " vanish", note.txt
screenshot nearest-parent

step "Exit without changing directory leaves the stored Path as it was"
keys Escape
wait_exit
[ "$(setting Path)" = "$saved" ] || fail "Path is '$(setting Path)'"

# Root reads every directory: the wineserver and the program run without that power, so the
# directory whose mode is 000 cannot be listed.
chmod 000 "$tree/locked"
wineserver -k >/dev/null 2>&1
setpriv --bounding-set=-dac_override,-dac_read_search -- wineserver -f -p >/dev/null 2>&1 &
QUILLMAR_PIDS+=($!)
setpriv --bounding-set=-dac_override,-dac_read_search -- wine "$QUILLMAR_EXE" \
    >>"$WORK/quillmar.log" 2>&1 &
QUILLMAR_PID=$!
probe wait main 30000 >/dev/null || fail "no main window titled Quillmar within 30 s"
wait_text main 1014 "^$tree_pattern\\\\\\*\\.\\*\$"
wait_list 4 0

step "a directory that cannot be read lists '  .. previous', which leads back"
click_row 1 2
wait_text main 1014 '\\tree\\locked\\\*\.\*$'
wait_list 1 0
wait_text main 1011 '^  \.\. previous$'
screenshot unreadable
keys Return
wait_text main 1014 "^$tree_pattern\\\\\\*\\.\\*\$"
wait_list 4 0

step "a directory that vanished after it was listed lists '  .. previous'"
rmdir "$tree/vanish"
click_row 2 2
wait_text main 1014 '\\tree\\vanish\\\*\.\*$'
wait_list 1 0
wait_text main 1011 '^  \.\. previous$'
keys Return
wait_list 3 0  # "  .. previous", " locked", note.txt

step "Exit after changing directory stores the directory in force"
keys Escape
wait_exit
chmod 755 "$tree/locked"
[ "$(setting Path)" = "$tree_dos\\*.*" ] || fail "Path is '$(setting Path)'"
