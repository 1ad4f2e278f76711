#!/bin/sh
# Compares trovique-cli palm-bitmap with the netpbm pipeline that does the same job: a
# 2000 x 1500 24-bit slide picture to an 8-bit run-length coded Palm bitmap in the handheld's
# 256-colour palette. Runs alternate so that both see the same machine load. Prints each run's
# wall time, the median wall and processor times (user + system of every process of a run, which
# does not grow when other programs load the machine) and the ratios.
#
# Usage: bench/palm_bitmap_compare.sh [BUILD_FOLDER] (default build/default); RUNS=N to change
# the number of runs of each (default 7).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../build/default"}
cli="$build/bin/trovique-cli"
runs=${RUNS:-7}

for tool in bmptopnm pnmremap pnmtopalm python3; do
    command -v "$tool" >/dev/null 2>&1 || { echo "missing $tool" >&2; exit 1; }
done
[ -x "$cli" ] || { echo "no trovique-cli in $build/bin (build it first)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
python3 "$here/make_slide_bmp.py" 2000 1500 "$work/slide.bmp"

ours="'$cli' palm-bitmap '$work/slide.bmp' -o '$work/ours.palm' --depth 8"
theirs="bmptopnm '$work/slide.bmp' 2>/dev/null |
    pnmremap -nofloyd -mapfile=/usr/share/netpbm/palmcolor8.map 2>/dev/null |
    pnmtopalm -depth 8 -rle_compression 2>/dev/null >'$work/theirs.palm'"

python3 - "$runs" "$ours" "$theirs" "$work" <<'PYTHON'
import os, resource, statistics, subprocess, sys, time

runs, commands, work = int(sys.argv[1]), {"trovique": sys.argv[2], "netpbm": sys.argv[3]}, sys.argv[4]
wall = {name: [] for name in commands}
cpu = {name: [] for name in commands}

def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime

for _ in range(runs):
    for name, command in commands.items():
        cpu_before, start = children_cpu(), time.perf_counter()
        subprocess.run(["sh", "-c", command], check=True)
        wall[name].append(time.perf_counter() - start)
        cpu[name].append(children_cpu() - cpu_before)

def ms(values):
    return " ".join(f"{v * 1000:.0f}" for v in values)

for name in commands:
    print(f"{name + ' wall times (ms):':30} {ms(wall[name])}")
sizes = {name: os.path.getsize(os.path.join(work, f"{'ours' if name == 'trovique' else 'theirs'}.palm"))
         for name in commands}
print(f"{'output bytes:':30} trovique {sizes['trovique']}, netpbm {sizes['netpbm']}")
medians = {name: (statistics.median(wall[name]), statistics.median(cpu[name])) for name in commands}
for name, (w, c) in medians.items():
    print(f"{name + ' median:':30} wall {w * 1000:.1f} ms, processor {c * 1000:.1f} ms")
print(f"wall ratio (netpbm / trovique):      {medians['netpbm'][0] / medians['trovique'][0]:.1f}")
print(f"processor ratio (netpbm / trovique): {medians['netpbm'][1] / medians['trovique'][1]:.1f}")
PYTHON
