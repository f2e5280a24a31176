#!/usr/bin/env bash
# Exits 0 when Wine can start programs of the given kind here (win32 or
# win64). Some kernels execute no 32-bit code at all: there the 32-bit
# loader fails with "Exec format error" and the 64-bit test tree stands in.
TQ_WINE_ARCH=${1:-win32} . "$(dirname "$0")/wine-env.sh"
wine --version >/dev/null 2>&1
