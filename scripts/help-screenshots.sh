#!/usr/bin/env bash
# Takes the pictures of the manual: screenshots of our own programs under
# Wine, in English and in Dutch, saved as small PNG files into
# resources/help_en and resources/help_nl:
#   shot_editor.png      the editor's main window on a small file
#   shot_viewer.png      the help viewer at the manual's index (F1)
# The program HelpShots (tools/helpshots) drives the editor by its keys and
# captures each window from the screen. Run this after building the Windows
# tree (TQ_WINE_ARCH=win64 uses build/win64, where the machine runs no
# 32-bit code), look at the pictures and commit them; run it again whenever
# the windows change. Without a display it runs itself on a private Xvfb.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then exec "$ROOT/scripts/with-display.sh" "$0" "$@"; fi
. "$ROOT/scripts/wine-env.sh"
TREE=$ROOT/build/${TQ_WINE_ARCH}
BIN=$TREE/bin
SHOTS=$TREE/host-tools/HelpShots.exe
KEY='HKCU\Software\Morvantide Software\Tessaly'
for f in "$BIN/Tessaly.exe" "$SHOTS"; do
    [ -f "$f" ] || { echo "help-screenshots: $f is missing; build the $TQ_WINE_ARCH tree first" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The file the editor shows: a line of text, then every byte value once.
{
    printf 'Tessaly shows every byte three times.\r\n'
    for i in $(seq 0 255); do printf "\\x$(printf %02x "$i")"; done
} > "$work/example.bin"

previous=$(wine reg query "$KEY" /v Language 2>/dev/null | tr -d '\r' | awk '/Language/ {print $3}')
rc=0
for lang in en nl; do
    code=$(echo "$lang" | tr a-z A-Z)  # the editor keeps its language as EN or NL
    wine reg add "$KEY" /v Language /t REG_SZ /d "$code" /f >/dev/null 2>&1
    mkdir -p "$work/$lang"
    wine "$SHOTS" "$(winepath -w "$BIN")" "$(winepath -w "$work/$lang")" "$(winepath -w "$work/example.bin")" || rc=1
    wineserver -w
    # Few colours keep the pictures small; the windows use few anyway.
    for shot in "$work/$lang"/shot_*.png; do
        [ -f "$shot" ] || continue
        convert "$shot" -strip -colors 64 "PNG8:$ROOT/resources/help_$lang/$(basename "$shot")" || rc=1
    done
done
if [ -n "$previous" ]; then
    wine reg add "$KEY" /v Language /t REG_SZ /d "$previous" /f >/dev/null 2>&1
else
    wine reg delete "$KEY" /v Language /f >/dev/null 2>&1
fi
ls -l "$ROOT"/resources/help_*/shot_*.png
exit $rc
