#!/usr/bin/env bash
# Runs every benchmark of the native tree, then of the Windows tree under
# Wine (the 32-bit tree, or the 64-bit one under 64-bit Wine with
# TQ_WINE_ARCH=win64 where no 32-bit code runs), and prints one table: each figure, its baseline measured in the same
# run, the ratio figure ÷ baseline and the aim for that ratio. The programs'
# other lines (details, and any MISMATCH between competitors) go to
# build/bench.log.
#
# The tools a person would compare with run here on the same bytes: cat and
# md5sum read a 256 MiB file of random bytes from memory (tmpfs, or the page
# cache), which the programs then open and hash themselves; xxd -p and
# xxd -r -p turn its first 64 MiB into hexadecimal text and back, the bytes
# the clipboard benchmark exports and imports. All of them run natively, also
# as the baselines of the Windows programs under Wine.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
native=$1 windows=$2
log=${TQ_BENCH_LOG:-$ROOT/build/bench.log}
mkdir -p "$(dirname "$log")"
: > "$log"

dir=/dev/shm
[ -d "$dir" ] && [ -w "$dir" ] || dir=/tmp
file=$dir/tq_bench_$$.bin
slice=$dir/tq_bench_$$.64.bin
trap 'rm -f "$file" "$slice" "$slice.hex"' EXIT
head -c $((256 << 20)) /dev/urandom > "$file"
bytes=$(stat -c %s "$file")
head -c $((64 << 20)) "$file" > "$slice"

# The median of five runs of a command, in decimal MB/s of the given number
# of bytes.
rate() {
    local bytes=$1; shift
    local times=() t0 t1
    for _ in 1 2 3 4 5; do
        t0=$(date +%s%N)
        "$@" > /dev/null
        t1=$(date +%s%N)
        times+=($((t1 - t0)))
    done
    local median
    median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
    awk -v b="$bytes" -v ns="$median" 'BEGIN { printf "%.1f", b / 1e6 / (ns / 1e9) }'
}
cat "$file" > /dev/null  # into the cache
cat_rate=$(rate "$bytes" cat "$file")
md5_rate=$(rate "$bytes" md5sum "$file")
echo "cat: $cat_rate MB/s, md5sum: $md5_rate MB/s on $file" >> "$log"
# 0: not measured (no xxd here); the program then says so.
xxd_rate=0 xxd_back_rate=0
if command -v xxd > /dev/null; then
    xxd -p "$slice" > "$slice.hex"
    xxd_rate=$(rate $((64 << 20)) xxd -p "$slice")
    xxd_back_rate=$(rate $((64 << 20)) xxd -r -p "$slice.hex")
    echo "xxd -p: $xxd_rate MB/s, xxd -r -p: $xxd_back_rate MB/s of the 64 MiB $slice" >> "$log"
fi

# The arguments a program takes: a file (as the program names it, through
# the given conversion of a path) and the tool's figures for it.
args_for() {
    local exe=$1 convert=$2
    case "$(basename "$exe")" in
        bench_document*) echo "$($convert "$file") $cat_rate" ;;
        bench_crash_hashes*) echo "$($convert "$file") $md5_rate" ;;
        bench_clipboard_search*) echo "$($convert "$slice") $xxd_rate $xxd_back_rate" ;;
    esac
}
as_is() { echo "$1"; }
as_wine() { local p=$1; echo "Z:${p//\//\\}"; }  # Wine shows the Unix root as drive Z:

rows=$(mktemp)
out=$(mktemp)
trap 'rm -f "$file" "$slice" "$slice.hex" "$rows" "$out"' EXIT
notes=()
run() {
    echo "== $*" >> "$log"
    local before after
    before=$(wc -l < "$rows")
    "$@" > "$out" 2>&1
    cat "$out" >> "$log"
    grep '^@row' "$out" >> "$rows"
    after=$(wc -l < "$rows")
    # A program that printed no row did not run: say why below the table.
    [ "$after" -gt "$before" ] || notes+=("$label: not measured: $(grep -v '^@row' "$out" | tail -n 1)")
}
for exe in "$native"/bench/*; do
    [ -x "$exe" ] && [ -f "$exe" ] || continue
    label="$(basename "$exe") (native)"
    echo "bench: $label" >&2
    # shellcheck disable=SC2046
    run "$exe" $(args_for "$exe" as_is)
done
. "$ROOT/scripts/wine-env.sh"
for exe in "$windows"/bench/*.exe; do
    [ -f "$exe" ] || continue
    label="$(basename "$exe") (Wine)"
    echo "bench: $label" >&2
    # shellcheck disable=SC2046
    # On a private display of its own: some benchmarks show real windows.
    run "$ROOT/scripts/with-display.sh" wine "$exe" $(args_for "$exe" as_wine)
done

awk -F'\t' '
    BEGIN {
        printf "%-58s %12s  %-40s %12s  %-8s %7s  %s\n", "figure", "value", "baseline (same run)", "value", "unit", "ratio", "aim"
    }
    {
        # A baseline that could not be measured here has no ratio.
        if ($5 > 0)
            printf "%-58s %12.4g  %-40s %12.4g  %-8s %7.2f  %s\n", $2, $3, $4, $5, $6, $3 / $5, $7
        else
            printf "%-58s %12.4g  %-40s %12s  %-8s %7s  %s\n", $2, $3, $4 " - not run here", "-", $6, "-", $7
    }' "$rows"
if [ "$TQ_WINE_ARCH" = win64 ]; then
    echo "(Wine): the 64-bit build of the same sources under 64-bit Wine (this machine runs no 32-bit code)"
else
    echo "(Wine): the 32-bit programs as shipped, under Wine"
fi
for n in "${notes[@]}"; do echo "$n"; done
grep -q MISMATCH "$log" && echo "some competitors disagreed with the figures: see $log"
echo "details: $log"
