#!/usr/bin/env bash
# Runs one Windows program under Wine (ctest's emulator for the win32 tree).
# Where Wine cannot start at all (a machine that runs no 32-bit programs),
# the program is reported as skipped (77) rather than failed.
. "$(dirname "$0")/wine-env.sh"
if ! wine --version >/dev/null 2>&1; then
    echo "wine-run: Wine cannot start on this machine; $(basename "${1:-program}") skipped" >&2
    exit 77
fi
exec wine "$@"
