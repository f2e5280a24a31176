#!/usr/bin/env bash
# Takes the pictures of the manual: screenshots of our own programs under
# Wine, in English and in Dutch, saved as PNG files into resources/help_en
# and resources/help_nl:
#   shot_editor.png  the editor's main window
#   shot_viewer.png  the help viewer at the manual's index
# and shows them on the pages that are about them (index.htm, viewer.htm),
# unless a page shows its picture already. Run it after `make win32`, again
# whenever the windows change, look at the pictures and commit them.
# Without a display it runs itself on a private Xvfb.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then exec "$ROOT/scripts/with-display.sh" "$0" "$@"; fi
. "$ROOT/scripts/wine-env.sh"
BIN=$ROOT/build/win32/bin
KEY='HKCU\Software\Morvantide Software\Tessaly'

# The X window whose name starts with the text; empty when none shows
# within ten seconds.
window() {
    local id=
    for _ in $(seq 100); do
        id=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$1" | head -1 | awk '{print $1}')
        [ -n "$id" ] && break
        sleep 0.1
    done
    echo "$id"
}

shoot() {  # name-start, output file
    local id
    id=$(window "$1")
    if [ -z "$id" ]; then
        echo "help-screenshots: no window \"$1\" showed" >&2
        return 1
    fi
    sleep 1  # let it paint
    import -window "$id" "$2" && echo "help-screenshots: $2"
}

show_on_page() {  # page, picture: after the page's heading, once
    grep -q "src=\"$2\"" "$1" || sed -i "0,/<\/h1>/s//<\/h1>\r\n<img src=\"$2\">/" "$1"
}

previous=$(wine reg query "$KEY" /v Language 2>/dev/null | tr -d '\r' | awk '/Language/ {print $3}')
rc=0
for lang in en nl; do
    code=$(echo "$lang" | tr a-z A-Z)  # the editor keeps its language as EN or NL
    out=$ROOT/resources/help_$lang
    wine reg add "$KEY" /v Language /t REG_SZ /d "$code" /f >/dev/null 2>&1

    wine "$BIN/Tessaly.exe" &
    editor=$!
    shoot "Tessaly" "$out/shot_editor.png" || rc=1

    # The viewer started as the editor starts it for the help index.
    wine "$BIN/help_$lang/Vellumo.exe" 100 &
    shoot "$(sed -n 1p "$out/helptree.txt" | tr -d '\r')" "$out/shot_viewer.png" || rc=1
    wine "$BIN/help_$lang/Vellumo.exe" -1  # closes the running viewer
    wine taskkill /F /IM Tessaly.exe >/dev/null 2>&1
    wait "$editor" 2>/dev/null

    [ -f "$out/shot_editor.png" ] && show_on_page "$out/index.htm" shot_editor.png
    [ -f "$out/shot_viewer.png" ] && show_on_page "$out/viewer.htm" shot_viewer.png
done
if [ -n "$previous" ]; then
    wine reg add "$KEY" /v Language /t REG_SZ /d "$previous" /f >/dev/null 2>&1
else
    wine reg delete "$KEY" /v Language /f >/dev/null 2>&1
fi
exit $rc
