#!/usr/bin/env bash
# Sets up a Debian/Ubuntu machine for Quillmar's tests, builds the native and the Windows
# presets, and runs both test suites: natively under the sanitizers, and under Wine in a
# virtual display with a real print spooler. Exits non-zero on any failure.
set -uo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top" || exit 1
# shellcheck source=tools/common.sh
source "$top/tools/common.sh"

trap 'stop_started' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

ensure_packages "${QUILLMAR_PACKAGES[@]}" "${QUILLMAR_FUZZ_PACKAGES[@]}" \
    || die "cannot install the packages"

log "building the native preset"
cmake --preset native >/dev/null && cmake --build --preset native || die "native build failed"
log "building the windows preset"
cmake --preset windows >/dev/null && cmake --build --preset windows || die "windows build failed"

log "native tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
ctest --preset native
native=$?

log "fuzz targets, 10 s each"
"$top/tools/fuzz.sh" 10
fuzz=$?

# One run at a time uses the spooler, from before it may start it to the end: a run that
# started the spooler stops it only when no other run is printing.
start_display
take_spooler_lock
start_print_spooler
start_wine "$top/build/windows/wineprefix"

log "Windows tests under Wine"
ctest --preset windows
windows=$?

log "summary"
[ $native -eq 0 ] && echo "native tests: passed" || echo "native tests: FAILED"
[ $windows -eq 0 ] && echo "Windows tests: passed" || echo "Windows tests: FAILED"
[ $fuzz -eq 0 ] && echo "fuzz targets: passed" || echo "fuzz targets: FAILED"
[ $native -eq 0 ] && [ $windows -eq 0 ] && [ $fuzz -eq 0 ]
