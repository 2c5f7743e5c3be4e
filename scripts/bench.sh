#!/bin/bash
# make bench: the program's start-up, memory, drive-change and file-size
# figures beside its targets, measured under Wine on a private Xvfb with a
# warm wineserver. Figures only: a missed target is reported, never an error.
# The figures also go to $BUILD/bench.txt.
#
#   RUNS        starts of each program for the start-up figure (default 15)
#   DRIVE_RUNS  drive changes timed (default 200)
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
RUNS=${RUNS:-15}
DRIVE_RUNS=${DRIVE_RUNS:-200}
bin="$BUILD/win32"
[ -f "$BUILD/native/Makefile" ] || cmake -S . -B "$BUILD/native" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD/native" --target display_bench >/dev/null &&
  cmake --build "$bin" --target display_bench >/dev/null || { echo "bench: display_bench did not build"; exit 1; }
for exe in Kestrune.exe KestruneTest.exe KestruneFloor.exe bench.exe; do
  [ -f "$bin/$exe" ] || { echo "bench: $bin/$exe is missing (make win32)"; exit 1; }
done

source scripts/wine-env.sh
trap wine_cleanup EXIT
wine_ensure_prefix || { echo "Wine prefix could not be created"; exit 1; }
wine_start_xvfb || exit 1
wineserver -p  # stays up between the starts: the warm case

win() { winepath -w "$1" 2>/dev/null; }
program=$(win "$bin/Kestrune.exe")
testprogram=$(win "$bin/KestruneTest.exe")
floor=$(win "$bin/KestruneFloor.exe")
out="$BUILD/bench.txt"
: > "$out"
status=0

run() {
  local figures
  figures=$(wine "$bin/bench.exe" "$@" | tr -d '\r') || { echo "bench $1 failed"; status=1; return; }
  echo "$figures" >> "$out"
}
run startup "$RUNS" "$program" "$floor"
run memory 3 "$program" "$floor"
run drive "$DRIVE_RUNS" "$testprogram"
echo "display_work_native_us $("$BUILD/native/display_bench" | awk '{print $2}')" >> "$out"
echo "display_work_wine_us $(wine "$bin/display_bench.exe" | tr -d '\r' | awk '{print $2}')" >> "$out"
{
  echo "file_program_bytes $(stat -c %s "$bin/Kestrune.exe")"
  echo "file_floor_bytes $(stat -c %s "$bin/KestruneFloor.exe")"
} >> "$out"

fig() { awk -v k="$1" '$1 == k { print $2 }' "$out"; }
verdict() { if awk "BEGIN { exit !($1) }"; then echo "met"; else echo "MISSED"; fi; }

echo
echo "Kestrune benchmarks (Wine $(wine --version 2>/dev/null | sed 's/^wine-//'), warm wineserver)"
if [ -n "$(fig startup_ratio)" ]; then
  printf '  start-up, median of %s alternating runs: program %s ms, floor %s ms, ratio %s (target <= 1.15: %s)\n' \
    "$(fig startup_runs)" "$(fig startup_program_ms)" "$(fig startup_floor_ms)" "$(fig startup_ratio)" \
    "$(verdict "$(fig startup_ratio) <= 1.15")"
fi
if [ -n "$(fig drive_own_us)" ]; then
  printf '  drive change, median of %s: %s us in all = %s us drive queries + %s us program (target < 1000 us: %s)\n' \
    "$DRIVE_RUNS" "$(fig drive_change_us)" "$(fig drive_queries_us)" "$(fig drive_own_us)" \
    "$(verdict "$(fig drive_own_us) < 1000")"
  printf '    of which texts and chart data about %s us, painting what changed %s us; whole-window repaint %s us\n' \
    "$(fig drive_texts_us)" "$(fig drive_paint_us)" "$(fig window_repaint_us)"
  printf '    the computation alone (texts, chart values and geometry, legend): %s us natively, %s us as the i686 build\n' \
    "$(fig display_work_native_us)" "$(fig display_work_wine_us)"
fi
size=$(fig file_program_bytes)
printf '  program file: %s bytes = %s KiB (target <= 300 KiB: %s); floor file %s bytes\n' \
  "$size" "$(( (size + 1023) / 1024 ))" "$(verdict "$size <= 300 * 1024")" "$(fig file_floor_bytes)"
if [ -n "$(fig memory_private_extra_kib)" ]; then
  printf '  private memory at idle: program %s KiB, floor %s KiB, extra %s KiB (target <= 1024 KiB: %s)\n' \
    "$(fig memory_program_private_kib)" "$(fig memory_floor_private_kib)" "$(fig memory_private_extra_kib)" \
    "$(verdict "$(fig memory_private_extra_kib) <= 1024")"
  printf '  working set at idle: program %s KiB, floor %s KiB\n' \
    "$(fig memory_program_working_set_kib)" "$(fig memory_floor_working_set_kib)"
fi
echo "  raw figures: $out"
exit $status
