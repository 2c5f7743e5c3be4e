# Window tests: window_tests.exe starts the program and checks it from
# outside, on test drives mapped here, once with an English and once with a
# Chinese locale (the window must show the same Chinese whatever the ANSI code
# page). Everything set up here is removed before the stage returns.
set -uo pipefail
source "$KESTRUNE_ROOT/tests/drives.sh"

work=$(mktemp -d "$BUILD/window-drives.XXXXXX")
cleanup() {
  drives_cleanup
  rm -rf "$work"
}
trap cleanup EXIT

# The drives that main_window_test.cpp expects.
setup() {
  mkdir -p "$work"/{m,n,o,p,r,s} &&
    drives_map_folder M "$work/m" && drives_set_label M "Kestrune M" &&
    drives_map_folder N "$work/n" &&
    drives_map_folder O "$work/o" && drives_set_type O cdrom &&
    drives_map_folder R "$work/r" && drives_set_type R floppy &&
    drives_map_folder S "$work/s" && drives_set_type S network &&
    drives_map_missing Q &&
    drives_map_folder P "$work/p" && cp "$BUILD/win32/Kestrune.exe" "$work/p/"
}
setup || { echo "test drives could not be set up"; exit 1; }

status=0
for lang in en_US.UTF-8 zh_CN.UTF-8; do
  echo "--- LANG=$lang"
  LANG=$lang LC_ALL=$lang wine "$BUILD/win32/window_tests.exe" --gtest_brief=1 || status=1
done
exit $status
