#!/usr/bin/env bash
# Runs the fuzz targets of a build made with -DNONOGRAM_FUZZ=ON.
#   tests/fuzz/run.sh <fuzz build> <built Resources> <seconds each> [parallel] [target...]
# Seeds: the built content, tests/fuzz/seeds/<target> and the inputs that once
# broke a reader (tests/data/fuzz-findings). Each target keeps what it finds
# in <fuzz build>/fuzz/<target>/corpus; an input that breaks a reader is
# written to <fuzz build>/fuzz/<target>/ as crash-*, leak-*, timeout-* or
# oom-*. Prints executions per second and executions per target; exits 1 when
# any target found something.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
resources=$(cd "$2" && pwd)
seconds=$3
parallel=${4:-1}
shift $(( $# < 4 ? $# : 4 ))
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$build"/tests/fuzz/fuzz_*; do targets+=("$(basename "$program" | sed 's/^fuzz_//')"); done
fi
findings="$source_dir/tests/data/fuzz-findings"

# Copies the files matching the patterns (below the folder) into the seed folder.
seed() {
  local into=$1 from=$2; shift 2
  for pattern in "$@"; do
    find "$from" -type f -name "$pattern" -size -256k -exec cp {} "$into"/ \; 2>/dev/null
  done
}

gather_seeds() {
  local target=$1 into=$2
  rm -rf "$into"; mkdir -p "$into"
  [ -d "$here/seeds/$target" ] && cp "$here/seeds/$target"/* "$into"/
  case $target in
    zip_reader)
      local work; work=$(mktemp -d)
      cp "$resources"/data/share/levels/pack0/level01.xml "$resources"/data/share/font/clue.xml "$work"/
      (cd "$work" && zip -q -X plain.zip level01.xml clue.xml && zip -q -X -0 stored.zip clue.xml &&
         zip -q -X -P secret locked.zip level01.xml && zip -q -X -0 -P secret locked-stored.zip clue.xml)
      cp "$work"/*.zip "$into"/; rm -rf "$work"
      seed "$into" "$findings" 'zip-*' ;;
    bin_file) seed "$into" "$findings" 'zip-*' 'ogg-leak' ;;
    level) seed "$into" "$resources/data/share/levels/pack0" 'level0[1-4].xml'; seed "$into" "$findings" 'level-*' ;;
    font) seed "$into" "$resources/data/share/font" '*.xml'; seed "$into" "$findings" 'font-*' ;;
    string_table) seed "$into" "$resources/data" 'strings.xml' ;;
    ogg) seed "$into" "$resources/data/share/sound" '*.ogg'; seed "$into" "$findings" 'ogg-*' ;;
    image) find "$resources/data/share/main/GameProcess" -name '*.png' -size -16k -exec cp {} "$into"/ \;
      seed "$into" "$findings" 'image-*' ;;
    sprite|animation) seed "$into" "$resources/data" 'data.xml' 'ambient.xml' 'effects.xml'
      seed "$into" "$findings" 'anim-*' ;;
    players_save) seed "$into" "$findings" 'players-*' ;;
    game_config) seed "$into" "$source_dir/content" 'game.xml' 'data.xml' 'editions.xml' ;;
    progress_xml) seed "$into" "$source_dir/content/data/share/main/other" '*.xml'; seed "$into" "$findings" 'store-*' ;;
    gui_layout) seed "$into" "$resources/data/share/main/GameProcess" 'pause.xml' 'hint_button.xml' \
      'reset_selection.xml' 'store_button*.xml'
      seed "$into" "$source_dir/content/data/share/main/other" 'widget_sample.xml'; seed "$into" "$findings" 'gui-*' ;;
    board_controls) seed "$into" "$resources/data/share/main/GameProcess" 'pause.xml' 'hint_button.xml' \
      'reset_selection.xml' 'store_button*.xml' ;;
    window_xml) seed "$into" "$source_dir/content/data/share/main/other" 'window_*.xml' ;;
    pages) seed "$into" "$source_dir/content/data/share/main/other" 'pages_*.xml' 'sample_pages.xml'
      seed "$into" "$findings" 'pages-*' ;;
    ambient) seed "$into" "$resources/data/share/main/GameProcess" 'ambient.xml' ;;
    tutorial) seed "$into" "$source_dir/content/data/share/main/other" 'tutorial*.xml' ;;
    particles) seed "$into" "$resources/data/share/main/GameProcess" 'effects.xml'; seed "$into" "$findings" 'particles-*' ;;
  esac
}

# The longest input a target is given. Decoders and the save reader spend
# time in proportion to the input (a whole sound decoded, every pixel, every
# player read under each layout) and find nothing more in long inputs than
# in inputs of a few kilobytes: shorter inputs keep them at thousands of
# runs a second. Longer seeds are cut to this length.
max_length() {
  case $1 in
    ogg|image|players_save) echo 16384 ;;
    *) echo 65536 ;;
  esac
}

# The XML readers share one dictionary of the descriptions' tokens.
dictionary() {
  case $1 in
    level|font|string_table|sound_list|sprite|animation|particles|gui_layout|board_controls|window_xml|pages|ambient|tutorial|game_config|progress_xml) echo "-dict=$here/xml.dict" ;;
  esac
}

# The readers' own messages (one per refused input) are dropped with
# -close_fd_mask=2: they cost a write per run and fill the log. libFuzzer's
# and the sanitizers' reports still reach the log.
run_target() {
  local target=$1 work="$build/fuzz/$1"
  mkdir -p "$work/corpus"
  gather_seeds "$target" "$work/seeds"
  ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1" \
  LSAN_OPTIONS="suppressions=$source_dir/tests/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ALSOFT_DRIVERS=null \
    "$build/tests/fuzz/fuzz_$target" "$work/corpus" "$work/seeds" -max_total_time="$seconds" \
      -timeout=10 -rss_limit_mb=2048 -max_len="$(max_length "$target")" -print_final_stats=1 -artifact_prefix="$work/" \
      -close_fd_mask=2 \
      $(dictionary "$target") \
      >"$work/log" 2>&1
  echo $? >"$work/status"
}

for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n; done
  run_target "$target" &
done
wait

failed=0
printf '%-14s %10s %14s  %s\n' target exec/s executions result
for target in "${targets[@]}"; do
  work="$build/fuzz/$target"
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/log" | tail -1)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -1)
  result=clean
  if [ "$(cat "$work/status")" != 0 ]; then
    result="FOUND: $(ls -t "$work" | grep -E '^(crash|leak|timeout|oom|slow-unit)-' | head -1) (see $work/log)"
    failed=1
  fi
  printf '%-14s %10s %14s  %s\n' "$target" "${rate:-?}" "${runs:-?}" "$result"
done
exit $failed
