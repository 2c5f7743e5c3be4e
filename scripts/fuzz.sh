#!/bin/bash
# Builds the libFuzzer targets of tests/fuzz/ (clang, native, ASan + UBSan)
# under $BUILD/fuzz and runs each for FUZZ_SECONDS. The corpus of each target
# grows across runs in $BUILD/fuzz/corpus/<target>; an input that breaks a
# target is kept in $BUILD/fuzz/findings/<target>/ and the script fails.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
FUZZ_SECONDS=${FUZZ_SECONDS:-60}
out=$BUILD/fuzz
mkdir -p "$out"

flags=(-std=c++20 -O1 -g -Wall -Wextra -I. -finput-charset=UTF-8
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
shared=(drive/format.cpp tests/support/host_heap.cpp)

failed=0
for source in tests/fuzz/*_fuzz.cpp; do
  name=$(basename "$source" .cpp)
  binary=$out/$name
  # Rebuild only when a source is newer than the binary.
  stale=0
  for dep in "$source" "${shared[@]}" drive/format.h drive/text.h; do
    [ "$binary" -nt "$dep" ] || stale=1
  done
  if [ $stale = 1 ]; then
    clang++ "${flags[@]}" "$source" "${shared[@]}" -o "$binary"
  fi

  corpus=$out/corpus/$name
  findings=$out/findings/$name
  mkdir -p "$corpus" "$findings"
  options=(-max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1
           -artifact_prefix="$findings/")
  dict=tests/fuzz/${name%_fuzz}.dict
  [ -f "$dict" ] && options+=(-dict="$dict")

  log=$out/$name.log
  if "$binary" "${options[@]}" "$corpus" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$name: ${runs:-?} executions in ${FUZZ_SECONDS} s, no findings (corpus $(ls "$corpus" | wc -l) inputs)"
  else
    echo "$name: FAILED, see $log and $findings/"
    grep -E 'ERROR|SUMMARY|runtime error|deadly signal' "$log" | head -5 || true
    failed=1
  fi
done
exit $failed
