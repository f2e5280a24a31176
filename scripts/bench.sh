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
# cache), which the programs then open and hash themselves.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
native=$1 windows=$2
log=${TQ_BENCH_LOG:-$ROOT/build/bench.log}
mkdir -p "$(dirname "$log")"
: > "$log"

dir=/dev/shm
[ -d "$dir" ] && [ -w "$dir" ] || dir=/tmp
file=$dir/tq_bench_$$.bin
trap 'rm -f "$file"' EXIT
head -c $((256 << 20)) /dev/urandom > "$file"
bytes=$(stat -c %s "$file")

# The median of five runs of a command, in decimal MB/s of the file.
rate() {
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
cat_rate=$(rate cat "$file")
md5_rate=$(rate md5sum "$file")
echo "cat: $cat_rate MB/s, md5sum: $md5_rate MB/s on $file" >> "$log"

# The arguments a program takes: the file (as the program names it) and the
# tool's figure for it.
args_for() {
    local exe=$1 path=$2
    case "$(basename "$exe")" in
        bench_document*) echo "$path $cat_rate" ;;
        bench_crash_hashes*) echo "$path $md5_rate" ;;
    esac
}

rows=$(mktemp)
out=$(mktemp)
trap 'rm -f "$file" "$rows" "$out"' EXIT
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
    run "$exe" $(args_for "$exe" "$file")
done
. "$ROOT/scripts/wine-env.sh"
winfile="Z:${file//\//\\}"  # Wine shows the Unix root as drive Z:
for exe in "$windows"/bench/*.exe; do
    [ -f "$exe" ] || continue
    label="$(basename "$exe") (Wine)"
    echo "bench: $label" >&2
    # shellcheck disable=SC2046
    # On a private display of its own: some benchmarks show real windows.
    run "$ROOT/scripts/with-display.sh" wine "$exe" $(args_for "$exe" "$winfile")
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
