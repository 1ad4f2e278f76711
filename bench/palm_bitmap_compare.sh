#!/bin/sh
# Compares trovique-cli palm-bitmap with the netpbm pipeline that does the same job: a
# 2000 x 1500 24-bit slide picture to an 8-bit run-length coded Palm bitmap in the handheld's
# 256-colour palette. Runs alternate so that both see the same machine load; prints each run,
# the median wall times and their ratio.
#
# Usage: bench/palm_bitmap_compare.sh [BUILD_FOLDER] (default build/default); RUNS=N to change
# the number of runs of each (default 7).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../build/default"}
cli="$build/bin/trovique-cli"
map=/usr/share/netpbm/palmcolor8.map
runs=${RUNS:-7}

for tool in bmptopnm pnmremap pnmtopalm python3; do
    command -v "$tool" >/dev/null 2>&1 || { echo "missing $tool" >&2; exit 1; }
done
[ -x "$cli" ] || { echo "no trovique-cli in $build/bin (build it first)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
python3 "$here/make_slide_bmp.py" 2000 1500 "$work/slide.bmp"

now() { date +%s%N; }

ours() {
    "$cli" palm-bitmap "$work/slide.bmp" -o "$work/ours.palm" --depth 8
}

theirs() {
    bmptopnm "$work/slide.bmp" 2>/dev/null |
        pnmremap -nofloyd -mapfile="$map" 2>/dev/null |
        pnmtopalm -depth 8 -rle_compression 2>/dev/null >"$work/theirs.palm"
}

: >"$work/ours.times"
: >"$work/theirs.times"
i=0
while [ "$i" -lt "$runs" ]; do
    start=$(now); ours; end=$(now)
    echo $(((end - start) / 1000)) >>"$work/ours.times"
    start=$(now); theirs; end=$(now)
    echo $(((end - start) / 1000)) >>"$work/theirs.times"
    i=$((i + 1))
done

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "runs of each:          $runs (microseconds)"
echo "trovique-cli runs:     $(tr '\n' ' ' <"$work/ours.times")"
echo "netpbm pipeline runs:  $(tr '\n' ' ' <"$work/theirs.times")"
ours_median=$(median "$work/ours.times")
theirs_median=$(median "$work/theirs.times")
echo "output bytes:          trovique $(wc -c <"$work/ours.palm"), netpbm $(wc -c <"$work/theirs.palm")"
echo "median trovique-cli:   $ours_median us"
echo "median netpbm:         $theirs_median us"
awk -v a="$theirs_median" -v b="$ours_median" 'BEGIN { printf "ratio (netpbm / ours): %.1f\n", a / b }'
