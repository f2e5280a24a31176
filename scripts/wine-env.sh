# Sourced by the scripts that run Windows programs: one quiet 32-bit Wine
# prefix under the build folder, and a fixed ANSI code page (1252).
TQ_ROOT=${TQ_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$TQ_ROOT/build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
