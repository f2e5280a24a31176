#!/usr/bin/env bash
# Runs one Windows program under Wine (ctest's emulator for the win32 tree).
. "$(dirname "$0")/wine-env.sh"
exec wine "$@"
