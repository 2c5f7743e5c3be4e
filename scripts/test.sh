#!/bin/bash
# Builds everything and runs every test stage (tests/stages/*.sh, in name
# order). One Xvfb and the prefix's wineserver serve all stages and are ended
# before this script returns. Exit code non-zero when any stage failed.
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
export BUILD

make --no-print-directory native asan win32 || { echo "BUILD FAILED"; exit 1; }

source scripts/wine-env.sh
trap wine_cleanup EXIT
wine_ensure_prefix || { echo "Wine prefix could not be created"; exit 1; }
wine_start_xvfb || exit 1
export KESTRUNE_ROOT=$PWD

results=()
failed=0
for stage in tests/stages/*.sh; do
  name=$(basename "$stage" .sh)
  echo "=== $name"
  start=$(date +%s)
  if bash "$stage"; then
    results+=("PASS  $name ($(( $(date +%s) - start )) s)")
  else
    results+=("FAIL  $name ($(( $(date +%s) - start )) s)")
    failed=1
  fi
done

echo
echo "=== Summary"
printf '%s\n' "${results[@]}"
exit $failed
