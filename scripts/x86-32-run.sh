#!/usr/bin/env bash
# Runs a program of the 32-bit x86 Linux tree under qemu-i386. Where the
# emulator is missing the test reports skipped (exit 77), never passed.
if ! command -v qemu-i386 >/dev/null 2>&1; then
    echo "x86-32: qemu-i386 is not installed; this 32-bit test cannot run here (skipped)"
    exit 77
fi
exec qemu-i386 "$@"
