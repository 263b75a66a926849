# Helpers of the end-to-end scenarios: start Quillmar.exe, work it with real input (xdotool),
# look at it from outside (the probe, wine reg query, pdftotext, screenshots).
# Sourced by run.sh, which sets QUILLMAR_EXE, PROBE_EXE, WORK, DISPLAY and WINEPREFIX.

QUILLMAR_PID=
SETTINGS_KEY='HKCU\Software\Vornhald Freeware\Quillmar\Settings'

fail() {
    printf 'FAILED: %s\n' "$*" >&2
    screenshot "failure-$(date +%s%N)" || true
    exit 1
}

step() { printf '  - %s\n' "$*"; }

# The probe, with Wine's line ends removed.
probe() { wine "$PROBE_EXE" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# The text of control ID of WINDOW ("main" or a title).
text_of() { probe text "$1" "$2"; }

# Polls `probe text WINDOW ID` until it matches the extended regular expression, at most
# SECONDS (default 10).
wait_text() {
    local window=$1 id=$2 pattern=$3 limit=${4:-10} text
    local deadline=$((SECONDS + limit))
    while :; do
        text=$(text_of "$window" "$id")
        grep -Eq -- "$pattern" <<<"$text" && return 0
        [ $SECONDS -ge "$deadline" ] && fail "control $id of $window shows '$text', not /$pattern/"
        sleep 0.2
    done
}

# Polls the main list until it has COUNT rows and row SELECTION selected.
wait_list() {
    local want="$1 $2" seen deadline=$((SECONDS + 10))
    while :; do
        seen=$(probe list main 1011)
        [ "$seen" = "$want" ] && return 0
        [ $SECONDS -ge "$deadline" ] && fail "the list shows '$seen' (rows, selection), not '$want'"
        sleep 0.2
    done
}

# Starts Quillmar.exe and waits for its main window.
start_quillmar() {
    wine "$QUILLMAR_EXE" >>"$WORK/quillmar.log" 2>&1 &
    QUILLMAR_PID=$!
    probe wait main 30000 >/dev/null || fail "no main window titled Quillmar within 30 s"
}

# Waits until the program has ended (bounded).
wait_exit() {
    probe gone main 10000 || fail "the main window is still there"
    local deadline=$((SECONDS + 10))
    while kill -0 "$QUILLMAR_PID" 2>/dev/null; do
        [ $SECONDS -ge "$deadline" ] && fail "Quillmar did not end"
        sleep 0.1
    done
    QUILLMAR_PID=
}

# Ends a program that a failed scenario left open.
stop_quillmar() {
    if [ -n "$QUILLMAR_PID" ] && kill -0 "$QUILLMAR_PID" 2>/dev/null; then
        kill "$QUILLMAR_PID" 2>/dev/null
        wait "$QUILLMAR_PID" 2>/dev/null
    fi
    QUILLMAR_PID=
}

centre_of() { awk '{ printf "%d %d", ($1 + $3) / 2, ($2 + $4) / 2 }'; }

# Clicks (CLICKS times, default 1) in the middle of control ID of WINDOW.
click_control() {
    local where
    where=$(probe rect "$1" "$2" | centre_of) || fail "no control $2 in $1"
    # shellcheck disable=SC2086
    xdotool mousemove $where click --repeat "${3:-1}" --delay 80 1
}

# Clicks (CLICKS times) on row INDEX of the main list.
click_row() {
    local where
    where=$(probe row main 1011 "$1" | centre_of) || fail "no list"
    # shellcheck disable=SC2086
    xdotool mousemove $where click --repeat "${2:-1}" --delay 80 1
}

keys() { xdotool key --delay 60 "$@"; }
type_text() { xdotool type --delay 60 -- "$1"; }

# Waits for a dialog box that shows TEXT (bounded).
wait_box() { probe box "$1" 10000 >/dev/null || fail "no box saying '$1'"; }

# Waits for a top-level window titled TITLE (bounded).
wait_window() { probe wait "$1" 10000 >/dev/null || fail "no window titled '$1'"; }

# The data of a stored setting as `reg query` shows it (a margin keeps its leading blank), or
# nothing when it is missing.
setting() {
    wine reg query "$SETTINGS_KEY" /v "$1" 2>/dev/null | tr -d '\r' |
        sed -n "s/^    $1    REG_[A-Z_]*    //p"
}

# The PDFs cups-pdf has written since `mark_pdfs`.
mark_pdfs() { ls "$QUILLMAR_PDF_DIR" 2>/dev/null | sort >"$WORK/pdfs.before"; }
new_pdfs() {
    comm -13 "$WORK/pdfs.before" <(ls "$QUILLMAR_PDF_DIR" 2>/dev/null | sort) | grep '\.pdf$'
}

# Waits for a new PDF whose text holds TEXT; keeps it as WORK/NAME.pdf.
wait_pdf_with() {
    local text=$1 name=$2 deadline=$((SECONDS + 90)) pdf
    while :; do
        for pdf in $(new_pdfs); do
            if pdftotext "$QUILLMAR_PDF_DIR/$pdf" - 2>/dev/null | grep -qF -- "$text"; then
                mv "$QUILLMAR_PDF_DIR/$pdf" "$WORK/$name.pdf"
                return 0
            fi
        done
        [ $SECONDS -ge $deadline ] && fail "no PDF with '$text' in $QUILLMAR_PDF_DIR within 90 s"
        sleep 0.5
    done
}

# Saves the screen area of WINDOW (default the main window) as WORK/screens/NAME.png.
screenshot() {
    local name=$1 window=${2:-main} rect
    mkdir -p "$WORK/screens"
    rect=$(probe wait "$window" 100) || rect="0 0 1280 1024"
    # shellcheck disable=SC2086
    set -- $rect
    import -window root -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" +repage \
        "$WORK/screens/$name.png" 2>/dev/null
}

# The number of pixels in which two pictures differ.
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

# Saves the screen area LEFT TOP RIGHT BOTTOM as WORK/screens/NAME.png once two shots in a row
# are the same: the windows there have finished drawing.
settled_area() {
    local name=$1 previous="$WORK/settling.png" tries=0
    shift
    mkdir -p "$WORK/screens"
    rm -f "$previous"
    while :; do
        import -window root -crop "$(($3 - $1))x$(($4 - $2))+$1+$2" +repage \
            "$WORK/screens/$name.png" 2>/dev/null || fail "no screenshot"
        [ -f "$previous" ] && [ "$(differing "$previous" "$WORK/screens/$name.png")" = 0 ] &&
            return 0
        tries=$((tries + 1))
        [ $tries -ge 25 ] && fail "the screen did not settle for $name"
        cp "$WORK/screens/$name.png" "$previous"
        sleep 0.2
    done
}
