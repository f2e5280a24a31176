# Sourced by the scripts that run Windows programs: one quiet Wine prefix
# under the build folder, and a fixed ANSI code page (1252).
#
# TQ_WINE_ARCH=win32 (the default) runs the 32-bit programs we ship.
# TQ_WINE_ARCH=win64 runs the 64-bit test build of the same sources under
# 64-bit Wine, for machines whose kernel executes no 32-bit code: there
# `wine` and `wine-stable` are shims in front of the 64-bit loader, because
# Debian's wrapper would pick the 32-bit loader that cannot start.
#
# TQ_WINE_USE=run (what `make run` sets) gives the person's own runs a prefix
# of their own beside the tests' one, kept between runs: the tests' recent
# files, view widths and options never show there, and what the person set
# stays for the next run.
TQ_ROOT=${TQ_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export TQ_WINE_ARCH=${TQ_WINE_ARCH:-win32}
case "${TQ_WINE_USE:-test}" in
    run) tq_prefix_suffix=-run ;;
    *) tq_prefix_suffix= ;;
esac
if [ "$TQ_WINE_ARCH" = win64 ]; then
    export WINEPREFIX=${WINEPREFIX:-$TQ_ROOT/build/wineprefix64$tq_prefix_suffix}
    export WINEARCH=win64
    export WINELOADER=/usr/lib/wine/wine64
    shims=$TQ_ROOT/build/wine64-bin
    if [ ! -x "$shims/wine-stable" ]; then
        mkdir -p "$shims"
        for n in wine wine-stable; do
            printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' > "$shims/$n.tmp"
            chmod +x "$shims/$n.tmp" && mv "$shims/$n.tmp" "$shims/$n"
        done
    fi
    case ":$PATH:" in *":$shims:"*) ;; *) export PATH="$shims:$PATH" ;; esac
else
    export WINEPREFIX=${WINEPREFIX:-$TQ_ROOT/build/wineprefix$tq_prefix_suffix}
    export WINEARCH=win32
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# A test may run on another system locale (TQ_WINE_LOCALE, a Linux locale
# name such as he_IL.UTF-8); Wine takes the locale from these.
export LANG=${TQ_WINE_LOCALE:-C.UTF-8} LC_ALL=${TQ_WINE_LOCALE:-C.UTF-8}
