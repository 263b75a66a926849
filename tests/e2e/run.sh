#!/usr/bin/env bash
# End-to-end scenarios: the real Quillmar.exe under Wine on the test's display, driven with
# xdotool and checked from outside. Each scenario runs in a subshell and starts its own fresh
# Wine prefix with start_wine (tools/common.sh); everything it started ends with it.
# Usage: run.sh QUILLMAR_EXE PROBE_EXE WORK_DIR [SCENARIO ...]
#   SCENARIO: a file name in tests/e2e/scenarios without ".sh" (default: all of them).
# Needs DISPLAY and QUILLMAR_PDF_DIR (tools/test.sh provides both) and a default printer.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
top=$(cd "$here/../.." && pwd)
export QUILLMAR_EXE=$1 PROBE_EXE=$2
work_root=$3
shift 3

[ -n "${DISPLAY:-}" ] || { echo "DISPLAY is not set: run through tools/test.sh" >&2; exit 1; }
[ -n "${QUILLMAR_PDF_DIR:-}" ] || { echo "QUILLMAR_PDF_DIR is not set" >&2; exit 1; }
for tool in xdotool import pdftotext; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done

scenarios=("$@")
if [ ${#scenarios[@]} -eq 0 ]; then
    for file in "$here"/scenarios/*.sh; do
        scenarios+=("$(basename "$file" .sh)")
    done
fi

rm -rf "$work_root"
mkdir -p "$work_root" "$QUILLMAR_PDF_DIR"
failed=()
for scenario in "${scenarios[@]}"; do
    printf '\n== %s\n' "$scenario"
    (
        # shellcheck source=tools/common.sh
        source "$top/tools/common.sh"
        # shellcheck source=tests/e2e/lib.sh
        source "$here/lib.sh"
        QUILLMAR_PIDS=()
        export WORK="$work_root/$scenario"
        mkdir -p "$WORK"
        trap 'stop_quillmar; stop_started' EXIT
        # shellcheck disable=SC1090
        source "$here/scenarios/$scenario.sh"
    )
    if [ $? -eq 0 ]; then
        echo "passed: $scenario"
    else
        echo "FAILED: $scenario"
        failed+=("$scenario")
    fi
done

printf '\n%d passed, %d failed\n' $((${#scenarios[@]} - ${#failed[@]})) ${#failed[@]}
[ ${#failed[@]} -eq 0 ]
