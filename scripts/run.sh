#!/usr/bin/env bash
# Starts the editor under Wine on a file. Without a display it runs on a
# private Xvfb, saves build/screenshot.png once the main window shows and ends.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$ROOT/scripts/wine-env.sh"
EXE=${TQ_EXE:-$ROOT/build/win32/bin/Tessaly.exe}
SHOT=${TQ_SCREENSHOT:-$ROOT/build/screenshot.png}
if ! bash "$ROOT/scripts/wine-works.sh" "$TQ_WINE_ARCH"; then
    echo "run: Wine cannot run $TQ_WINE_ARCH programs on this machine; nothing shown" >&2
    exit 77
fi
args=()
if [ -n "${1:-}" ]; then
    [ -e "$1" ] || echo "run: note: $1 does not exist; the editor will say so" >&2
    args=("$(winepath -w "$(realpath -m "$1")" 2>/dev/null)")
fi


if [ -n "${DISPLAY:-}" ] && [ "${TQ_HEADLESS:-0}" != 1 ]; then
    exec wine "$EXE" "${args[@]}"
fi

shot() {
    wine "$EXE" "${args[@]}" &
    pid=$!
    found=
    for _ in $(seq 300); do
        if xwininfo -root -tree 2>/dev/null | grep -q '"Tessaly'; then found=1; break; fi
        sleep 0.1
    done
    sleep 1
    out="$SHOT"
    mkdir -p "$(dirname "$out")"
    if [ -n "$found" ]; then
        import -window root "$out" && echo "run: main window shown; screenshot saved to $out"
    else
        echo "run: the main window did not show" >&2
    fi
    # Only this editor: other tests may run editors of their own.
    kill "$pid" 2>/dev/null
    wait $pid 2>/dev/null
    [ -n "$found" ]
}
export -f shot
export ROOT EXE SHOT
. "$ROOT/scripts/with-display.sh" shot
