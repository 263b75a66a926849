#!/usr/bin/env bash
# Sets up a Debian/Ubuntu machine for Quillmar and runs it: installs what is missing, builds the
# windows preset (optimised), makes sure a printer exists (the cups-pdf queue, as the default,
# when CUPS has none), and starts Quillmar.exe under Wine in a Wine prefix kept for the user, so
# settings survive between runs. It shows on $DISPLAY when there is one; without a display it
# starts a virtual one with a VNC server and noVNC on localhost and prints the address to open
# in a browser. Everything it started ends when the program exits.
# Environment: QUILLMAR_WINEPREFIX (default ~/.local/share/quillmar/wineprefix),
# QUILLMAR_NOVNC_PORT (default 6080).
set -uo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top" || exit 1
# shellcheck source=tools/common.sh
source "$top/tools/common.sh"

prefix=${QUILLMAR_WINEPREFIX:-$HOME/.local/share/quillmar/wineprefix}
novnc_port=${QUILLMAR_NOVNC_PORT:-6080}

finish() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    stop_started
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# True when nothing listens on TCP port $1 of this machine.
port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

# Waits until something listens on TCP port $1.
wait_port() {
    local tries=0
    until ! port_free "$1"; do
        tries=$((tries + 1))
        [ $tries -gt 100 ] && die "nothing listens on port $1"
        sleep 0.1
    done
}

packages=("${QUILLMAR_PACKAGES[@]}")
[ -z "${DISPLAY:-}" ] && packages+=("${QUILLMAR_REMOTE_DISPLAY_PACKAGES[@]}")
ensure_packages "${packages[@]}" || die "cannot install the packages"

log "building Quillmar.exe (windows preset)"
cmake --preset windows >/dev/null && cmake --build --preset windows --target Quillmar ||
    die "the build failed"
program="$top/build/windows/Quillmar.exe"

start_print_spooler
log "printed files land as PDFs in $QUILLMAR_PDF_DIR"

managed=Y
if [ -z "${DISPLAY:-}" ]; then
    start_display
    managed=N  # no window manager on the virtual display
    vnc_port=5900
    while ! port_free $vnc_port; do vnc_port=$((vnc_port + 1)); done
    port_free "$novnc_port" || die "port $novnc_port is taken; set QUILLMAR_NOVNC_PORT"
    x11vnc -display "$DISPLAY" -localhost -rfbport $vnc_port -nopw -forever -shared -quiet \
        >/dev/null 2>&1 &
    QUILLMAR_PIDS+=($!)
    wait_port $vnc_port
    websockify --web /usr/share/novnc 127.0.0.1:"$novnc_port" 127.0.0.1:$vnc_port \
        >/dev/null 2>&1 &
    QUILLMAR_PIDS+=($!)
    wait_port "$novnc_port"
    log "open http://localhost:$novnc_port/vnc.html?autoconnect=1 in a browser on this machine"
fi

export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "making the Wine prefix $WINEPREFIX (once)"
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || die "wineboot failed"
fi
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d $managed /f \
    >/dev/null 2>&1 || die "cannot configure the Wine prefix"
add_wine_fonts && link_wine_fonts || die "cannot configure the Wine prefix's fonts"

log "starting Quillmar on $DISPLAY; it runs until you press Exit"
# In the background, so that an interrupt reaches the traps at once.
wine "$program" &
wait $!
