# The drive queries against real drives under Wine: the prefix's C:, folders
# with and without a label, drives that are never ready, and mounted drives of
# exact sizes. The platform's own figures (statvfs) go to the tests in
# KESTRUNE_DRIVES_SPACE as "letter:total:available" byte counts.
set -u
source "$KESTRUNE_ROOT/tests/drives.sh"

work=$(mktemp -d "$BUILD/drive-stage.XXXXXX")
trap 'drives_cleanup; rm -rf --one-file-system "$work"' EXIT
mkdir -p "$work/labeled" "$work/plain" "$work/rename"

drives_map_folder L "$work/labeled" && drives_set_label L '卷标 Data' || exit 1
drives_map_folder P "$work/plain" || exit 1
drives_map_folder R "$work/rename" && drives_set_label R 'OLD' || exit 1
drives_map_missing M || exit 1
drives_map_missing F && drives_set_type F floppy || exit 1
export KESTRUNE_DRIVE_LABELED=L KESTRUNE_DRIVE_PLAIN=P KESTRUNE_DRIVE_RENAME=R
export KESTRUNE_DRIVE_MISSING=M KESTRUNE_DRIVE_FLOPPY=F

# letter:total:available in bytes, as statvfs reports them.
space_of() {
  local letter=$1 figures
  figures=$(stat -f -c '%b %a %S' "$(drives_root "$letter")") || return 1
  set -- $figures
  printf '%s:%s:%s' "$letter" "$(($1 * $3))" "$(($2 * $3))"
}

# Exact sizes: the first KiB count past 31 bits (2 TiB), past 32 bits
# (4 TiB), a large one (20 TiB) and one around a thousand MiB.
space=()
mounted=1
for drive in T:20T U:2T V:4T W:1000M; do
  if drives_mount_tmpfs "${drive%%:*}" "${drive#*:}"; then
    space+=("$(space_of "${drive%%:*}")")
  else
    mounted=0
    break
  fi
done
if [ $mounted = 1 ] && drives_mount_tmpfs O 64M ro; then
  export KESTRUNE_DRIVE_READONLY=O
else
  mounted=0
fi
if [ $mounted = 0 ]; then
  echo "mounting not permitted here: the exact-size and read-only drive tests are skipped"
fi
export KESTRUNE_DRIVES_SPACE="${space[*]}"

wine "$BUILD/win32/wine_tests.exe" --gtest_brief=1
