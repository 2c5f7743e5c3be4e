# Test drives for the Wine prefix. Sourced by test stages; every helper works
# on $WINEPREFIX and records what it did, so that drives_cleanup can undo all
# of it (links, registry values, mounts, folders) before the stage returns.
#
#   drives_map_folder LETTER DIR      fixed drive on a folder
#   drives_map_missing LETTER         drive on a missing folder: never ready
#   drives_set_type LETTER TYPE       floppy | cdrom | hd | network
#   drives_set_label LETTER LABEL     volume label (UTF-8), empty removes it
#   drives_mount_tmpfs LETTER SIZE [ro]
#                                     fixed drive of exactly SIZE (mount's
#                                     size=, e.g. 20T, 1000M); non-zero when
#                                     mounting is not permitted here
#   drives_root LETTER                prints the folder behind a mapped letter
#   drives_cleanup                    undo everything done by this shell
#
# Wine's mount manager reads drive links, types and labels when the prefix's
# wineserver starts and keeps them, so every helper that changes them ends a
# running wineserver; the next Wine program starts one that sees the change.
# Call the helpers before starting the programs that should see the drives.
# Letters are lower- or upper-case; c: and z: belong to the prefix (a helper
# that maps them keeps the old link and drives_cleanup restores it).

: "${WINEPREFIX:?drives.sh needs WINEPREFIX}"

DRIVES_WORK=""          # this shell's folders and mount points
DRIVES_LETTERS=()       # letters linked, in order
declare -A DRIVES_SAVED_LINK=()   # letter -> link target before we mapped it
DRIVES_TYPED=()         # letters given a registry drive type
DRIVES_MOUNTS=()        # mount points, in mounting order
declare -A DRIVES_RO=() # mount point -> 1 when mounted read-only

_drives_letter() { printf '%s' "${1,,}"; }

# Creates this shell's folder for mount points and missing drives once. Not
# to be called in a subshell, which would forget it.
_drives_work() {
  if [ -z "$DRIVES_WORK" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")/test-drives" || return 1
    DRIVES_WORK=$(mktemp -d "$(dirname "$WINEPREFIX")/test-drives/XXXXXX") || return 1
  fi
}

# Ends the prefix's wineserver (and its programs) so that the next Wine
# program sees the drives as they are now. Nothing to do when none runs.
drives_refresh() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

_drives_link() {
  local letter link
  letter=$(_drives_letter "$1")
  link="$WINEPREFIX/dosdevices/$letter:"
  case " ${DRIVES_LETTERS[*]} " in
    *" $letter "*) ;;
    *)
      DRIVES_LETTERS+=("$letter")
      if [ -L "$link" ]; then DRIVES_SAVED_LINK[$letter]=$(readlink "$link"); fi
      ;;
  esac
  rm -f "$link"
  ln -s "$2" "$link"
  drives_refresh
}

drives_map_folder() {
  local dir
  dir=$(cd "$2" && pwd) || return 1
  _drives_link "$1" "$dir"
}

drives_map_missing() {
  _drives_work || return 1
  _drives_link "$1" "$DRIVES_WORK/missing-$(_drives_letter "$1")"
}

drives_root() {
  readlink "$WINEPREFIX/dosdevices/$(_drives_letter "$1"):"
}

drives_set_type() {
  local letter
  letter=$(_drives_letter "$1")
  case "$2" in floppy | cdrom | hd | network) ;; *) echo "drives_set_type: unknown type $2" >&2; return 1 ;; esac
  wine reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /t REG_SZ /d "$2" /f /reg:64 >/dev/null 2>&1 || return 1
  DRIVES_TYPED+=("$letter")
  drives_refresh
}

drives_set_label() {
  local root
  root=$(drives_root "$1") || return 1
  [ -d "$root" ] || { echo "drives_set_label: $1: has no folder" >&2; return 1; }
  # A read-only mount of ours is opened for the write and closed again.
  local ro=${DRIVES_RO[$root]:-}
  [ -n "$ro" ] && { mount -o remount,rw "$root" || return 1; }
  if [ -n "$2" ]; then printf '%s\n' "$2" >"$root/.windows-label"; else rm -f "$root/.windows-label"; fi
  local rc=$?
  [ -n "$ro" ] && mount -o remount,ro "$root"
  drives_refresh
  return $rc
}

drives_mount_tmpfs() {
  local letter dir options
  letter=$(_drives_letter "$1")
  _drives_work || return 1
  dir="$DRIVES_WORK/tmpfs-$letter"
  mkdir -p "$dir"
  options="size=$2"
  [ "${3:-}" = ro ] && options+=",ro"
  # Private mounts need root (or a user namespace that Wine would also have to
  # run in); elsewhere callers skip what needs an exact size.
  mount -t tmpfs -o "$options" kestrune-test "$dir" 2>/dev/null || { rmdir "$dir"; return 1; }
  DRIVES_MOUNTS+=("$dir")
  [ "${3:-}" = ro ] && DRIVES_RO[$dir]=1
  _drives_link "$letter" "$dir"
}

drives_cleanup() {
  local letter link dir
  # Wine programs must be gone before their drives are unmounted.
  drives_refresh
  if [ ${#DRIVES_TYPED[@]} -gt 0 ]; then
    for letter in "${DRIVES_TYPED[@]}"; do
      wine reg delete 'HKLM\Software\Wine\Drives' /v "$letter:" /f /reg:64 >/dev/null 2>&1 || true
    done
    drives_refresh
  fi
  for letter in "${DRIVES_LETTERS[@]}"; do
    link="$WINEPREFIX/dosdevices/$letter:"
    rm -f "$link"
    if [ -n "${DRIVES_SAVED_LINK[$letter]:-}" ]; then ln -s "${DRIVES_SAVED_LINK[$letter]}" "$link"; fi
  done
  local i
  for ((i = ${#DRIVES_MOUNTS[@]} - 1; i >= 0; i--)); do
    dir=${DRIVES_MOUNTS[i]}
    umount "$dir" 2>/dev/null || umount -l "$dir" 2>/dev/null || true
  done
  [ -n "$DRIVES_WORK" ] && rm -rf --one-file-system "$DRIVES_WORK"
  DRIVES_WORK="" DRIVES_LETTERS=() DRIVES_SAVED_LINK=() DRIVES_TYPED=() DRIVES_MOUNTS=() DRIVES_RO=()
}
