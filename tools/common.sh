# Shared by the run and test commands: installs what is missing and starts what is needed
# (a virtual display, the print spooler with a PDF printer, a wineserver), and ends every
# process it started, by process id, when the calling script exits.
# Source it; it defines functions only.

QUILLMAR_PACKAGES=(
    cmake make g++ googletest
    g++-mingw-w64-x86-64-posix mingw-w64-tools
    wine wine64 fonts-wine xvfb
    cups cups-client printer-driver-cups-pdf poppler-utils fonts-liberation fonts-wqy-microhei
    procps clang-format
    xdotool imagemagick
)

# Besides, for the run command on a machine without a display: a VNC server and noVNC.
QUILLMAR_REMOTE_DISPLAY_PACKAGES=(x11vnc novnc websockify)
# The fuzz preset: clang and its runtime libraries (libFuzzer, the sanitizers).
QUILLMAR_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)

log() { printf '\n==> %s\n' "$*"; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }

package_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# Installs the listed Debian packages that are missing, and nothing else.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        package_installed "$package" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || die "missing packages (${missing[*]}); run as root"
        sudo=(sudo)
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}

QUILLMAR_PIDS=()

# Starts Xvfb on a free display of WIDTHxHEIGHT pixels (default 1280x1024) and exports DISPLAY.
start_display() {
    local ready
    ready=$(mktemp)
    Xvfb -displayfd 5 -screen 0 "${1:-1280x1024}x24" -nolisten tcp 5>"$ready" >/dev/null 2>&1 &
    QUILLMAR_PIDS+=($!)
    local tries=0
    until [ -s "$ready" ]; do
        tries=$((tries + 1))
        [ $tries -gt 100 ] && die "Xvfb did not start"
        sleep 0.1
    done
    export DISPLAY=":$(head -n 1 "$ready")"
    rm -f "$ready"
    log "virtual display $DISPLAY"
}

# Starts cupsd when it is not running and makes a cups-pdf queue the default destination when
# there is none. Exports QUILLMAR_PDF_DIR, where cups-pdf writes the documents of this user.
start_print_spooler() {
    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        /usr/sbin/cupsd -f >/dev/null 2>&1 &
        QUILLMAR_PIDS+=($!)
        local tries=0
        until lpstat -r 2>/dev/null | grep -q 'is running'; do
            tries=$((tries + 1))
            [ $tries -gt 100 ] && die "cupsd did not start"
            sleep 0.1
        done
        log "print spooler started"
    fi
    if ! lpstat -d 2>/dev/null | grep -q 'system default destination:'; then
        lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null \
            || die "cannot add the cups-pdf queue"
        lpadmin -d PDF
        log "cups-pdf queue PDF is the default printer"
    fi
    local out
    out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf | tail -n 1)
    out=${out:-'${HOME}/PDF'}
    export QUILLMAR_PDF_DIR="${out//\$\{HOME\}/$HOME}"
}

# Makes a fresh Wine prefix at $1, keeps one wineserver alive for it and initialises it.
start_wine() {
    export WINEPREFIX="$1" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineserver -f -p >/dev/null 2>&1 &
    QUILLMAR_PIDS+=($!)
    log "initialising the Wine prefix $WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || die "wineboot failed"
    # Without a window manager, Wine waits about two seconds for every window it shows unless
    # its windows are unmanaged.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 \
        || die "cannot configure the Wine prefix"
    add_wine_fonts || die "cannot configure the Wine prefix's fonts"
    link_wine_fonts || die "cannot configure the Wine prefix's fonts"
}

# This Wine does not load the fonts of its own data folder (Debian's fonts-wine files), so the
# title bars show "0 1 r" where Marlett's minimise, maximise and close glyphs belong, and the
# prefix has no Tahoma. Fonts in the prefix's windows\Fonts are loaded: the files are copied
# there, those already present left as they are.
add_wine_fonts() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" file
    mkdir -p "$fonts" || return 1
    for file in /usr/share/wine/fonts/*; do
        [ -f "$file" ] || return 1
        [ -e "$fonts/${file##*/}" ] || cp "$file" "$fonts/" || return 1
    done
}

# Wine stands in for the Windows faces it has no file of with Liberation Sans, Tahoma (MS Shell
# Dlg, from the fonts added above) and Liberation Mono (the fixed-pitch faces): they hold
# Latin, Greek and Cyrillic, but no Chinese, Japanese or Korean characters.
# As Windows links its faces to its East Asian fonts, the prefix links these to WenQuanYi Micro
# Hei, so that a name such as 日本語.txt shows in the list, the path line, the Delete question
# and the title bars.
link_wine_fonts() {
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' face
    # Wine looks the links up by the chosen face's full name: the bold faces need their own.
    for face in 'Liberation Sans' 'Liberation Sans Bold' 'Tahoma' 'Tahoma Bold'; do
        wine reg add "$key" /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' \
            /f >/dev/null 2>&1 || return 1
    done
    for face in 'Liberation Mono' 'Liberation Mono Bold'; do
        wine reg add "$key" /v "$face" /t REG_MULTI_SZ \
            /d 'wqy-microhei.ttc,WenQuanYi Micro Hei Mono' /f >/dev/null 2>&1 || return 1
    done
}

# Waits until this run is the spooler's only user on the machine (other runs print through the
# same queue into the same folder) and keeps it so until the calling script ends. The lock is
# held by a small process of its own that ends with the script, so that no process the run
# starts inherits it: a Wine service that outlived its scenario would keep every later run
# waiting.
take_spooler_lock() {
    local lock="${TMPDIR:-/tmp}/quillmar-spooler.lock" ready
    ready=$(mktemp)
    log "waiting for the spooler lock"
    flock -o "$lock" sh -c 'echo held >"$0"; exec tail --pid="$1" -f /dev/null' "$ready" $$ \
        >/dev/null 2>&1 &
    until [ -s "$ready" ]; do
        sleep 0.2
    done
    rm -f "$ready"
}

# Ends every process started here: the processes of our Wine prefix (found by their
# environment), the wineserver, the spooler and the display.
stop_started() {
    # A Wine service can start while the prefix's processes are ending, so the prefix is
    # looked at again until none of its processes is left.
    local round pids
    for round in 1 2 3; do
        pids=()
        [ "$round" -eq 1 ] && pids+=("${QUILLMAR_PIDS[@]}")
        if [ -n "${WINEPREFIX:-}" ]; then
            local pid
            for pid in /proc/[0-9]*; do
                pid=${pid#/proc/}
                [ "$pid" = $$ ] && continue
                if grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null; then
                    pids+=("$pid")
                fi
            done
        fi
        [ ${#pids[@]} -eq 0 ] && return 0
        end_processes "${pids[@]}"
    done
}

# Ends the given processes: politely, then after five seconds for good.
end_processes() {
    local pid tries=0 alive
    kill "$@" 2>/dev/null || true
    while [ $tries -lt 50 ]; do
        alive=0
        for pid in "$@"; do
            kill -0 "$pid" 2>/dev/null && alive=1
        done
        [ $alive -eq 0 ] && return 0
        tries=$((tries + 1))
        sleep 0.1
    done
    kill -9 "$@" 2>/dev/null || true
}
