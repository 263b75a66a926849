#!/usr/bin/env bash
# Refreshes the README's screenshots in docs/: runs the end-to-end scenarios that open the main
# window, the setup dialog, the viewer (on an ASCII text, a UTF-8 text and a binary file), the
# preview, the Delete question and the about box on a virtual display, and the main window
# and the viewer at 200 % display scaling (192 DPI), and keeps their screenshots.
# Run as root on a Debian/Ubuntu machine, like tools/test.sh.
set -uo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top" || exit 1
# shellcheck source=tools/common.sh
source "$top/tools/common.sh"
trap 'stop_started' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

ensure_packages "${QUILLMAR_PACKAGES[@]}" || die "cannot install the packages"
cmake --preset windows >/dev/null && cmake --build --preset windows --target Quillmar probe ||
    die "the build failed"
start_display
# The names scenario prints.
take_spooler_lock
start_print_spooler
work="$top/build/windows/screenshots"
bash tests/e2e/run.sh build/windows/Quillmar.exe build/windows/tests/probe.exe "$work" \
    20-setup-and-save 40-view-delete-about 50-names 80-high-dpi 90-preview ||
    die "a scenario failed"
mkdir -p docs
for name in main-window setup-dialog; do
    cp "$work/20-setup-and-save/screens/$name.png" "docs/$name.png" || die "no $name.png"
done
for name in viewer-text viewer-hex delete-question about-box; do
    cp "$work/40-view-delete-about/screens/$name.png" "docs/$name.png" || die "no $name.png"
done
cp "$work/50-names/screens/viewer-utf8.png" docs/viewer-utf8.png || die "no viewer-utf8.png"
cp "$work/90-preview/screens/preview-first.png" docs/preview.png || die "no preview-first.png"
for name in main-window viewer-text; do
    cp "$work/80-high-dpi/screens/$name-192.png" "docs/$name-192dpi.png" ||
        die "no $name-192.png"
done
log "the pictures in docs/ are refreshed"
