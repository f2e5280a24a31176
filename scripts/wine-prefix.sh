#!/usr/bin/env bash
# Makes the Wine prefix once; later calls return at once. A prefix counts as
# made only when Wine could really set it up (a machine that cannot start
# Wine gets no half-made prefix that later runs would trust).
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
if [ ! -f "$WINEPREFIX/.tessaly-ready" ]; then
    bash "$(dirname "$0")/wine-works.sh" "$TQ_WINE_ARCH" || exit 0
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    DISPLAY= wineboot -i >/dev/null 2>&1 || true
    # Wine draws the window frames itself, so no window manager is needed
    # and hiding a window does not wait for one.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w || true
    [ -f "$WINEPREFIX/system.reg" ] && touch "$WINEPREFIX/.tessaly-ready"
fi
