#!/usr/bin/env bash
# Runs one Windows program under Wine (ctest's emulator for the Windows
# trees). Where Wine cannot run programs of this kind here (a machine that
# runs no 32-bit programs), the program is reported as skipped (77) rather
# than failed.
. "$(dirname "$0")/wine-env.sh"
if ! bash "$(dirname "$0")/wine-works.sh" "$TQ_WINE_ARCH"; then
    echo "wine-run: Wine cannot run $TQ_WINE_ARCH programs on this machine; $(basename "${1:-program}") skipped" >&2
    exit 77
fi
exec wine "$@"
