#!/bin/bash
# clang-tidy and cppcheck over the project's own code (drive/, ui/, app/).
# The platform-free sources are checked with the native build's flags; the
# Win32 layer with the target's flags, for the i686-w64-mingw32 target.
# Non-zero when either tool reports a finding.
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
status=0

# clang does not know -fexec-charset=GBK: check with the compile commands
# minus the charset options (they change literals' bytes, not the code).
filtered_db() {
  local from=$1 to=$2
  mkdir -p "$to"
  sed -e 's/ -finput-charset=UTF-8//g' -e 's/ -fexec-charset=GBK//g' \
      -e 's/ -mfpmath=sse//g' "$from/compile_commands.json" > "$to/compile_commands.json"
}

[ -f "$BUILD/native/compile_commands.json" ] || cmake -S . -B "$BUILD/native" >/dev/null
[ -f "$BUILD/win32/compile_commands.json" ] || cmake -S . -B "$BUILD/win32" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
filtered_db "$BUILD/native" "$BUILD/lint/native"
filtered_db "$BUILD/win32" "$BUILD/lint/win32"

mapfile -t core < <(ls drive/*.cpp ui/*.cpp app/*.cpp 2>/dev/null | grep -v '_win\.cpp$')
mapfile -t win < <(ls drive/*_win.cpp ui/*_win.cpp app/*_win.cpp 2>/dev/null)

gcc_inc=$(echo | i686-w64-mingw32-g++-posix -xc++ -E -v - 2>&1 | sed -n '/#include <...> search starts here:/,/End of search list/p' | grep '^ ' | sed 's/^ */--extra-arg=-isystem/')

echo "clang-tidy: ${#core[@]} platform-free and ${#win[@]} Win32 sources"
if [ ${#core[@]} -gt 0 ]; then
  clang-tidy -p "$BUILD/lint/native" --quiet "${core[@]}" 2>/dev/null | grep -E 'warning:|error:' && status=1
fi
if [ ${#win[@]} -gt 0 ]; then
  # shellcheck disable=SC2086
  clang-tidy -p "$BUILD/lint/win32" --quiet --extra-arg=--target=i686-w64-mingw32 \
    --extra-arg=-Wno-unknown-argument $gcc_inc "${win[@]}" 2>/dev/null | grep -E 'warning:|error:' && status=1
fi

echo "cppcheck"
cppcheck --quiet --error-exitcode=1 --enable=warning,performance,portability --std=c++20 \
  --inline-suppr --suppress=missingIncludeSystem --suppress=unknownMacro \
  -D_WIN32 -DKESTRUNE_TEST_BUILD -I . drive ui app || status=1

[ $status -eq 0 ] && echo "lint clean"
exit $status
