#!/usr/bin/env bash
# Runs the fuzz targets of a fuzz build for a given time each, a few at a time, each on its own
# corpus seeded from the shipped data. A crash, a leak, a sanitizer report or a hang fails the
# run; the finding is kept under BUILD/fuzz/findings and the end of the target's log printed.
# Usage: fuzz/run.sh BUILD SECONDS PARALLEL [TARGET...]
set -u
build=$1
seconds=$2
parallel=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
data=$here/../data
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(awk '/^[a-z]/ { print $1 }' "$here/targets.txt")
fi
work=$(cd "$build" && pwd)/fuzz
mkdir -p "$work/findings" "$work/logs"

seed() {
  local target=$1 corpus=$2
  mkdir -p "$corpus"
  case $target in
    markup_fuzz) cp "$data"/qor/xml/*.xml "$data"/qor/*.lev "$corpus"/ ;;
    class_table_fuzz) cp "$data"/qor/heirarchy.hcy "$corpus"/ ;;
    path_records_fuzz) cp "$here"/seeds/path_records/* "$corpus"/ ;;
    qor_data_fuzz) cp "$data"/qor/xml/*.xml "$corpus"/ ;;
    qor_level_fuzz) cp "$data"/qor/*.lev "$here"/seeds/qor_level/* "$corpus"/ ;;
    lockdown_fly_fuzz) cp "$data"/lockdown/*.fly "$corpus"/ ;;
    # The sheet is longer than -max_len: small sheets of every header kind reach the cutting.
    lockdown_bitmap_fuzz) cp "$build"/lockdown-generated/g.dat "$here"/seeds/lockdown_bitmap/* "$corpus"/ ;;
    lockdown_palette_fuzz) cp "$build"/lockdown-generated/PALDATA2.PAL "$corpus"/ ;;
  esac
}

run_one() {
  local target=$1
  local corpus=$work/corpus/$target
  seed "$target" "$corpus"
  mkdir -p "$work/findings/$target"
  local dict=()
  case $target in
    markup_fuzz | qor_data_fuzz | qor_level_fuzz) dict=(-dict="$here/markup.dict") ;;
  esac
  # Inputs well past 4 KB from the first run on (no slow growth of the length limit): deep
  # nesting and long tables only show in large files.
  "$work/$target" -max_total_time="$seconds" -max_len=262144 -timeout=30 -rss_limit_mb=3072 \
    -len_control=0 "${dict[@]}" -print_final_stats=1 -artifact_prefix="$work/findings/$target/" "$corpus" \
    > "$work/logs/$target.${seconds}s.log" 2>&1
  local status=$?
  echo $status > "$work/status/$target"
  if [ $status -ne 0 ]; then
    echo "FUZZ FAILED: $target (status $status); findings in $work/findings/$target"
    grep -v '^    #' "$work/logs/$target.${seconds}s.log" | tail -40
    return 1
  fi
  echo "fuzz ok: $target: $(grep -m1 -o 'stat::number_of_executed_units: [0-9]*' "$work/logs/$target.${seconds}s.log" | grep -o '[0-9]*$') runs in ${seconds} s"
}

# Each run leaves its exit status in a file: the shell forgets the status of a job that
# `jobs` has already reported as done.
rm -rf "$work/status"
mkdir -p "$work/status"
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do sleep 1; done
  run_one "$target" &
done
wait
failed=0
for target in "${targets[@]}"; do
  [ "$(cat "$work/status/$target" 2>/dev/null)" = 0 ] || failed=$((failed + 1))
done
passed=$((${#targets[@]} - failed))
echo "fuzz: $passed passed, $failed failed"
[ $failed -eq 0 ]
