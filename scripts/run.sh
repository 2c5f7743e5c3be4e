#!/bin/bash
# `make run`: starts build/win32/Kestrune.exe under Wine.
#
# With a display the program runs on it until the user closes it. Without one
# it runs on a private Xvfb inside Wine's virtual desktop (which draws title
# bars); once the window is painted a screenshot goes to $BUILD/screenshot.png,
# the program is asked to close (WM_CLOSE to its windows) and its exit code is
# reported. Everything started here ends before the script returns.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
trap wine_cleanup EXIT
export LANG=${WINE_LANG:-zh_CN.UTF-8}

exe="$BUILD/win32/Kestrune.exe"
[ -f "$exe" ] || { echo "no $exe: run make win32" >&2; exit 1; }
wine_ensure_prefix || { echo "Wine prefix could not be created" >&2; exit 1; }

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  wine "$exe"
  code=$?
  echo "Kestrune exited with code $code"
  exit 0
fi

wine_start_xvfb || exit 1
shot="$BUILD/screenshot.png"
rm -f "$shot"

# Polls `command` every 0.1 s for up to `tenths` tenths of a second.
poll() {
  local tenths=$1
  shift
  for ((i = 0; i < tenths; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
desktop_up() { xdotool search --name 'Wine desktop' >/dev/null 2>&1; }
# The window is painted once both colour keys of the general page show.
painted() {
  import -display "$DISPLAY" -window root "$shot.tmp.png" 2>/dev/null || return 1
  local colours
  colours=$(convert "$shot.tmp.png" -format %c histogram:info:- 2>/dev/null)
  grep -qi '#0000FF' <<<"$colours" && grep -qi '#FF00FF' <<<"$colours"
}

# A virtual desktop named Default: programs started afterwards open inside it,
# and `wine` then returns the program's own exit code.
wine explorer /desktop=Default,1024x768 >/dev/null 2>&1 &
desktop=$!
poll 200 desktop_up || { echo "the Wine desktop did not start" >&2; exit 1; }

wine "$exe" &
program=$!
if poll 200 painted; then
  mv "$shot.tmp.png" "$shot"
  echo "screenshot: $shot"
else
  rm -f "$shot.tmp.png"
  echo "the window did not show both colour keys within 20 s" >&2
fi
# taskkill without /f posts WM_CLOSE to the program's top-level windows.
wine taskkill /im Kestrune.exe >/dev/null 2>&1
if ! poll 100 eval '! kill -0 $program 2>/dev/null'; then
  echo "Kestrune did not close within 10 s; ending it" >&2
  kill "$program" 2>/dev/null
fi
wait "$program"
code=$?
echo "Kestrune exited with code $code"
wine_cleanup
wait "$desktop" 2>/dev/null
[ -f "$shot" ] && [ "$code" = 0 ]
