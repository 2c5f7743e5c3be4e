# The commands, keys, pages and divider lines through real input: the window
# tests of the command suites, with a writable and a read-only test drive.
set -u
source "$KESTRUNE_ROOT/tests/drives.sh"

work=$(mktemp -d "$BUILD/commands-stage.XXXXXX")
trap 'drives_cleanup; rm -rf --one-file-system "$work"' EXIT
mkdir -p "$work/writable"

drives_map_folder D "$work/writable" && drives_set_label D 'OLDLABEL' || exit 1
# A drive whose label cannot be written: read-only where mounting is
# permitted, else one that is never ready.
if drives_mount_tmpfs K 16M ro; then
  drives_set_label K 'LOCKED' || exit 1
else
  drives_map_missing K || exit 1
fi
export KESTRUNE_DRIVE_RW=D KESTRUNE_DRIVE_RO=K

wine "$BUILD/win32/window_tests.exe" --gtest_brief=1 --gtest_filter='CommandWindow.*:ToolButtons.*:KeysAndPages.*'
