#!/usr/bin/env bash
# Refreshes the README's screenshots in docs/: runs the end-to-end scenario that opens the main
# window and the setup dialog on a virtual display and keeps its screenshots.
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
start_print_spooler
work="$top/build/windows/screenshots"
bash tests/e2e/run.sh build/windows/Quillmar.exe build/windows/tests/probe.exe "$work" \
    20-setup-and-save || die "the scenario failed"
mkdir -p docs
for name in main-window setup-dialog; do
    cp "$work/20-setup-and-save/screens/$name.png" "docs/$name.png" || die "no $name.png"
done
log "docs/main-window.png and docs/setup-dialog.png refreshed"
