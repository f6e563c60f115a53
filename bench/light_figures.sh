#!/bin/sh
# Start-up, idle, playing and memory figures of the game in one run, each
# beside the floor of a bare GL program or of a still window, and beside
# the figures measured before the game was made lighter.
# Run from a Release build folder (it holds `nonogram`, `Resources` and
# `bench/`), with DISPLAY naming an X server (Xvfb -noreset):
#   sh ../bench/light_figures.sh [runs] [seconds per idle measure]
set -e
runs=${1:-5}
seconds=${2:-5}
if [ -z "$DISPLAY" ]; then
    echo "DISPLAY names no X server" >&2
    exit 2
fi
for program in nonogram bench/bench_startup bench/bench_startup_floor bench/bench_idle bench/bench_screens_memory bench/bench_level_memory; do
    if [ ! -x "$program" ]; then
        echo "missing $program: run from the build folder" >&2
        exit 2
    fi
done
export ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}

echo "== before (the same machine, Release): floor | game"
echo "first frame, ms after exec          220 | 246"
echo "title taking input, ms                - | 1680"
echo "title after the first frame, ms       - | 1434 (content's animation 1000; at most 1100)"
echo "  the same seen from outside, ms       - | 1120-1165 (the window's first picture to Play's hover look)"
echo "idle CPU at the title, % of a core    5 | 240"
echo "idle CPU in a 20x20 level, %          - | 246-260 at 42-55 frames/s"
echo "20x20 level played, frame p50/p99 ms  - | 25-31 / 37-47"
echo "  dragged in bench_idle, still frames kept - | 6.1 / 27.2"
echo "resident at the title, MB            75 | 145"
echo "resident in a 20x20 level, MB         - | 155"
echo
echo "== start-up ($runs runs)"
bench/bench_startup ./nonogram bench/bench_startup_floor "$runs"
echo
echo "== idle and playing ($seconds s each)"
bench/bench_idle "$seconds"
echo
echo "== memory at the title and in a 20x20 level ($runs runs, median)"
# Each run starts the game afresh; other programs on the machine move the
# figures by a megabyte or two, so the median is printed.
memory=$(mktemp)
i=0
while [ "$i" -lt "$runs" ]; do
    bench/bench_level_memory 2>/dev/null >> "$memory" || true
    i=$((i + 1))
done
for what in "after the title" "playing 20 x 20"; do
    sed -n "s/^resident $what *\([0-9.]*\) MB.*/\1/p" "$memory" | sort -n |
        awk -v what="$what" '{v[NR]=$1} END {if (NR) printf "resident %-16s %6.1f MB  (median of %d, from %s to %s)\n", what, v[int((NR+1)/2)], NR, v[1], v[NR]}'
done
grep "^resident" "$memory" | tail -2 | sed 's/^resident \(.*[a-z0-9]\)  *[0-9.]* MB (\(.*\))$/  \1: \2/'
rm -f "$memory"
echo "  the floor, a bare program through the same GL layer:"
bench/bench_startup_floor --textured | sed 's/^/  /'
echo
echo "== memory over the screens (2 rounds)"
bench/bench_screens_memory 2 | tail -6
