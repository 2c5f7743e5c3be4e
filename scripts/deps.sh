#!/bin/bash
# Installs what the build and the tests need on Debian 12. Idempotent: does
# nothing when everything is present. Not root and something missing: prints
# the exact command to run and fails.
set -euo pipefail

packages=(
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386 wine64
  libx11-6:i386 libxext6:i386 libxrender1:i386 libxrandr2:i386 libxi6:i386
  libxcursor1:i386 libxinerama1:i386 libxcomposite1:i386 libxfixes3:i386
  libfreetype6:i386 libfontconfig1:i386
  xvfb xdotool imagemagick x11-utils fonts-wqy-microhei locales
  cmake make g++ clang libclang-rt-14-dev llvm clang-tidy cppcheck python3 googletest
)
locales_wanted=(en_US.UTF-8 zh_CN.UTF-8)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  missing=("${packages[@]}")
else
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
  done
fi
missing_locales=()
for l in "${locales_wanted[@]}"; do
  locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}" || missing_locales+=("$l")
done

if [ ${#missing[@]} -eq 0 ] && [ ${#missing_locales[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" != 0 ]; then
  echo "Missing packages or locales. Run as root:" >&2
  [ ${#missing[@]} -gt 0 ] && echo "  dpkg --add-architecture i386 && apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
  for l in "${missing_locales[@]}"; do
    echo "  sed -i 's/^# *${l} UTF-8/${l} UTF-8/' /etc/locale.gen && locale-gen" >&2
  done
  exit 1
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  dpkg --add-architecture i386
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if [ ${#missing_locales[@]} -gt 0 ]; then
  for l in "${missing_locales[@]}"; do
    grep -q "^${l} UTF-8" /etc/locale.gen 2>/dev/null || echo "${l} UTF-8" >> /etc/locale.gen
  done
  locale-gen >/dev/null
fi
