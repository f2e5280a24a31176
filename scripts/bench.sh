#!/usr/bin/env bash
# Runs every benchmark program of the native tree, then of the Windows tree
# under Wine; each prints lines "name: value unit".
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
native=$1 win32=$2
for exe in "$native"/bench/*; do
    [ -x "$exe" ] && [ -f "$exe" ] || continue
    echo "== native: $(basename "$exe")"
    "$exe"
done
for exe in "$win32"/bench/*.exe; do
    [ -f "$exe" ] || continue
    echo "== win32 (Wine): $(basename "$exe")"
    "$ROOT/scripts/wine-run.sh" "$exe"
done
