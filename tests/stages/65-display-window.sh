# The drive display on drives of exact sizes: 20 TiB, exactly 1000 MiB free
# (shown as 1.0 GB) and 4 KiB less (999.996 MiB, shown as 1000.0 MB), and a
# drive that is never ready. Mounting needs root; without it only the
# start-up drive is checked. Everything set up here is removed before the
# stage returns.
set -uo pipefail
source "$KESTRUNE_ROOT/tests/drives.sh"
trap drives_cleanup EXIT

drives=""
if drives_mount_tmpfs T 20T && drives_mount_tmpfs W 1000M && drives_mount_tmpfs X 1023996k; then
  drives="T W X"
else
  echo "mounting not permitted here: the exact-size drives are skipped"
fi
drives_map_missing Q || exit 1
export KESTRUNE_DISPLAY_DRIVES="$drives Q"

LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 wine "$BUILD/win32/window_tests.exe" --gtest_brief=1 --gtest_filter='DriveDisplay.*'
