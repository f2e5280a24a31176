#!/usr/bin/env bash
# Exits 0 when Wine can start programs of the given kind here (win32 or
# win64). Some kernels execute no 32-bit code at all: there the 32-bit
# loader fails with "Exec format error", or runs only under a user-mode
# CPU emulator registered for 32-bit programs, far too slow and partial for
# the tests; then the 64-bit test tree stands in.
arch=${1:-win32}
TQ_WINE_ARCH=$arch . "$(dirname "$0")/wine-env.sh"
if [ "$arch" = win32 ]; then
    for entry in /proc/sys/fs/binfmt_misc/*; do
        [ -f "$entry" ] || continue
        if grep -qx enabled "$entry" 2>/dev/null && grep -q '^magic 7f454c46010101.*0300$' "$entry" 2>/dev/null; then
            exit 1
        fi
    done
fi
wine --version >/dev/null 2>&1
