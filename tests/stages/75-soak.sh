# The leak soak: one running test build of the program through ten thousand
# drive changes, a thousand page switches and a flat-style cycle, then every
# counter back where it was (tests/window/soak_test.cpp). The drive changes
# go between two folder drives mapped here, one with a label and one without.
set -u
source "$KESTRUNE_ROOT/tests/drives.sh"

work=$(mktemp -d "$BUILD/soak-stage.XXXXXX")
trap 'drives_cleanup; rm -rf --one-file-system "$work"' EXIT
mkdir -p "$work/labeled" "$work/plain"
drives_map_folder J "$work/labeled" && drives_set_label J 'Soak 卷' || exit 1
drives_map_folder K "$work/plain" || exit 1

KESTRUNE_SOAK=1 KESTRUNE_SOAK_DRIVES=JK \
  wine "$BUILD/win32/window_tests.exe" --gtest_brief=1 --gtest_filter='Soak.*'
