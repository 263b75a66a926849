# No printer at all (the spooler cannot be reached): the window opens, the summary says so,
# and Print tells the user exactly once.

# A prefix that has never seen a printer.
export CUPS_SERVER=/nonexistent/cups.sock
start_wine "$WORK/prefix" >/dev/null

tree="$WORK/files"
mkdir -p "$tree"
printf 'text\n' >"$tree/note.txt"
tree_dos="Z:${tree//\//\\}"
wine reg add "$SETTINGS_KEY" /v Path /t REG_SZ /d "$tree_dos\\*.*" /f >/dev/null 2>&1

step "the window opens and the summary says No printer"
start_quillmar
wait_text main 1015 '^ No printer$'
wait_list 2 0

step "Print on a file row tells the user once"
click_row 1
keys Return
deadline=$((SECONDS + 10))
until probe wait Print 100 >/dev/null || probe box "No printer is installed" 100 >/dev/null; do
    [ $SECONDS -ge $deadline ] && fail "nothing told the user that there is no printer"
    sleep 0.2
done
screenshot no-printer-warning Print
keys Return
probe gone Print 10000 || fail "the warning stayed"
if probe wait Print 1500 >/dev/null || probe box "No printer is installed" 1500 >/dev/null; then
    fail "the user was told twice"
fi
probe wait main 100 >/dev/null || fail "the window closed"

keys Escape
wait_exit
