# Sourced by the scripts that run Windows programs. Sets up the Wine
# environment of one build tree and gives helpers to start and end Xvfb and
# the prefix's wineserver. Everything started here is ended by wine_cleanup.
#
#   BUILD        build tree (default: build), holds the prefix
#   WINE_LANG    locale the Windows programs see (default: zh_CN.UTF-8)

BUILD=${BUILD:-build}
BUILD=$(cd "$BUILD" 2>/dev/null && pwd || { mkdir -p "$BUILD" && cd "$BUILD" && pwd; })
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
SCRIPTS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
XVFB_PID=

# Creates the prefix once per build tree: CJK fonts linked for the UI fonts,
# a replacement for 宋体. Reused afterwards.
wine_ensure_prefix() {
  if [ -f "$WINEPREFIX/.kestrune-ready" ]; then return 0; fi
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  LANG=C.UTF-8 wineboot -i >/dev/null 2>&1
  local font='wqy-microhei.ttc,WenQuanYi Micro Hei'
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif' Arial 'Segoe UI'; do
    wine reg add "$key" /v "$face" /t REG_MULTI_SZ /d "$font" /f >/dev/null 2>&1
  done
  for face in 宋体 SimSun 新宋体 NSimSun 'MS Song'; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  wineserver -w
  touch "$WINEPREFIX/.kestrune-ready"
}

# Starts a private Xvfb on a free display number and exports DISPLAY.
wine_start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local num
  read -r -t 20 num <"$fifo" || { echo "Xvfb did not start" >&2; rm -f "$fifo"; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$num"
}

# Ends the prefix's wineserver (and with it every Wine process of the
# prefix) and the Xvfb started above.
wine_cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}
