#!/bin/sh
# Screen changes of the whole-game scenarios: for each change a player makes
# by a click, the milliseconds from the press to the next screen at rest and
# the longest single frame in between, the median of several runs.
# Each scenario runs in its own process, in the environment CTest gives the
# tests (offscreen GL drawn in software, no sound device, a private user
# folder), every one of them drawing on the GL device.
# Run from a Release build folder (RelWithDebInfo, -DNONOGRAM_SANITIZE=OFF):
#   sh ../bench/screen_changes.sh [runs] [gtest filter]
set -e
runs=${1:-3}
filter=${2:-'GameRoads.*:GameWalk.*:GuideWalk.*:OptionsShopTrophyHelpWalk.*:PlayerCounts.*:GG_TUTORIAL_GAME.*'}
binary=tests/test_game
if [ ! -x "$binary" ] || [ ! -f Resources/game.xml ]; then
    echo "missing $binary or the built content: run from the build folder" >&2
    exit 2
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT INT TERM
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null LIBGL_ALWAYS_SOFTWARE=1
export XDG_DATA_HOME="$scratch/xdg" HOME="$scratch/home"
export NONOGRAM_WHOLE_GAME_PICTURES=1
mkdir -p "$XDG_DATA_HOME" "$HOME"

tests=$("$binary" --gtest_list_tests --gtest_filter="$filter" |
    awk '/^[^ ]/ {suite = $1} /^  [^ ]/ {print suite $1}')
if [ -z "$tests" ]; then
    echo "no scenario matches $filter" >&2
    exit 2
fi

# One line a change: run, scenario, change (a repeated one numbered), ms,
# worst frame ms. The scenario's worst frame overall comes as change "*".
i=1
while [ "$i" -le "$runs" ]; do
    for test in $tests; do
        # A failed scenario is told and left out of that run's figures.
        if ! "$binary" --gtest_filter="$test" > "$scratch/out" 2>&1; then
            echo "run $i: $test failed, its last lines:" >&2
            tail -20 "$scratch/out" >&2
            continue
        fi
        awk -v run="$i" -v test="$test" '
            /^\[ [^ ]+ \] worst frame +[0-9.]+ ms$/ {
                printf "%s\t%s\t*\t-\t%s\n", run, test, $(NF - 1)
                next
            }
            /^\[ [^ ]+ \] .* ms  worst frame +[0-9.]+ ms$/ {
                change = $0
                sub(/^\[ [^ ]+ \] /, "", change)
                sub(/ +[0-9.]+ ms  worst frame +[0-9.]+ ms$/, "", change)
                seen[change]++
                if (seen[change] > 1) change = change " (" seen[change] ")"
                printf "%s\t%s\t%s\t%s\t%s\n", run, test, change, $(NF - 5), $(NF - 1)
            }' "$scratch/out" >> "$scratch/lines"
    done
    i=$((i + 1))
done

echo "== screen changes, median of $runs runs (ms from the press to the next screen at rest)"
awk -F '\t' -v runs="$runs" '
    function median(list,    n, v, a, b, t) {
        n = split(list, v, " ")
        for (a = 2; a <= n; a++)
            for (b = a; b > 1 && v[b - 1] + 0 > v[b] + 0; b--) { t = v[b]; v[b] = v[b - 1]; v[b - 1] = t }
        return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    }
    {
        key = $2 SUBSEP $3
        if (!(key in ms)) { order[++count] = key; scenario[key] = $2; change[key] = $3 }
        ms[key] = ms[key] " " $4
        worst[key] = worst[key] " " $5
    }
    END {
        printf "%-44s %-36s %9s %12s\n", "scenario", "change", "ms", "worst frame"
        for (k = 1; k <= count; k++) {
            key = order[k]
            name = scenario[key] == last ? "" : scenario[key]
            last = scenario[key]
            if (length(name) > 44) name = substr(name, 1, 41) "..."
            if (change[key] == "*")
                printf "%-44s %-36s %9s %12.1f\n", name, "(worst frame of the scenario)", "", median(worst[key])
            else
                printf "%-44s %-36s %9.1f %12.1f\n", name, change[key], median(ms[key]), median(worst[key])
        }
    }' "$scratch/lines"
