#!/usr/bin/env bash
# Writes objdump's Intel-syntax listing of the code section of each program
# given that exists, as <name>.lst in the output folder, for the
# disassembler's comparison test. Programs not built yet are left out.
set -euo pipefail
objdump=$1
out=$2
shift 2
mkdir -p "$out"
rm -f "$out"/*.lst
for program in "$@"; do
    [ -f "$program" ] || continue
    name=$(basename "$program" .exe)
    "$objdump" -d -z -M intel --insn-width=15 -j .text "$program" \
        | grep -E $'^ *[0-9a-f]+:\t' > "$out/$name.lst.part"
    mv "$out/$name.lst.part" "$out/$name.lst"
done
