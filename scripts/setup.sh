#!/usr/bin/env bash
# Installs what the build and the tests need, and nothing that is already there.
# Safe to run again and again: every step checks first.
set -euo pipefail

need_root() {
    if [ "$(id -u)" != 0 ]; then
        if command -v sudo >/dev/null; then echo sudo; else
            echo "setup: must run as root (or with sudo) to install packages" >&2; exit 1; fi
    fi
}
SUDO=$(need_root)
export DEBIAN_FRONTEND=noninteractive

# A deb-src entry derived from the machine's own Debian sources, so that
# `apt-get source zlib` can fetch minizip's sources from the same mirror.
add_deb_src() {
    local src=/etc/apt/sources.list.d/debian.sources
    local out=/etc/apt/sources.list.d/tessaly-src.sources
    [ -f "$out" ] && return 0
    if [ -f "$src" ]; then
        sed -e 's/^Types:.*deb.*/Types: deb-src/' "$src" | $SUDO tee "$out" >/dev/null
    elif [ -f /etc/apt/sources.list ]; then
        grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
            | $SUDO tee /etc/apt/sources.list.d/tessaly-src.list >/dev/null
        $SUDO touch "$out"
    fi
    UPDATE=1
}

PKGS=(cmake make g++ pkg-config
      g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
      g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
      wine wine32:i386 wine64 xvfb xauth imagemagick
      libz-mingw-w64-dev zlib1g-dev googletest
      unzip zip python3 dpkg-dev x11-utils fonts-wine clang libclang-rt-14-dev
      libpng-dev python3-pyftpdlib
      g++-i686-linux-gnu qemu-user)

missing=()
UPDATE=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    UPDATE=1
fi
add_deb_src
for p in "${PKGS[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ] || [ "$UPDATE" = 1 ]; then
    $SUDO apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# minizip's sources from Debian's zlib source package (unpacked under build/).
ROOT=$(cd "$(dirname "$0")/.." && pwd)
MZ="$ROOT/build/thirdparty/minizip"
if [ ! -f "$MZ/zip.c" ]; then
    tmp=$(mktemp -d)
    # Take the newest version that a mirror actually serves.
    got=
    for v in $(apt-cache showsrc zlib | awk '/^Version:/{print $2}' | sort -u -r -V); do
        if ( cd "$tmp" && apt-get source -qq --download-only "zlib=$v" >/dev/null 2>&1 ); then
            got=$v; break
        fi
        rm -f "$tmp"/*
    done
    [ -n "$got" ] || { echo "setup: cannot fetch zlib sources for minizip" >&2; exit 1; }
    ( cd "$tmp" && dpkg-source -x --no-check ./zlib_*.dsc src >/dev/null )
    mkdir -p "$MZ"
    cp "$tmp"/src/contrib/minizip/{zip.c,zip.h,unzip.c,unzip.h,ioapi.c,ioapi.h,iowin32.c,iowin32.h,crypt.h} "$MZ"/
    rm -rf "$tmp"
fi
echo "setup: ready"
