#!/bin/bash
# clang-tidy and cppcheck over the project's own code: drive/, ui/, app/ and
# bench/. The platform-free sources are checked with the native build's
# flags; the Win32 layer and the bench programs with the target's flags, for
# the i686-w64-mingw32 target, once as shipped and once more with the test
# build's hooks where a file has any. Non-zero when either tool reports a
# finding (or cannot parse a file).
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
JOBS=${JOBS:-$(nproc)}
status=0

# Refresh both compile databases: a source added since the last configure
# must be checked with its real flags.
cmake -S . -B "$BUILD/native" -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 1
if [ -f "$BUILD/win32/CMakeCache.txt" ]; then
  cmake -S . -B "$BUILD/win32" >/dev/null || exit 1
else
  cmake -S . -B "$BUILD/win32" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null || exit 1
fi

# clang does not know -fexec-charset=GBK or -mfpmath=sse: check with the
# compile commands minus those (they change literals' bytes and code
# generation, not the code).
filtered_db() {
  local from=$1 to=$2
  mkdir -p "$to"
  sed -e 's/ -finput-charset=UTF-8//g' -e 's/ -fexec-charset=GBK//g' \
      -e 's/ -mfpmath=sse//g' "$from/compile_commands.json" > "$to/compile_commands.json"
}
filtered_db "$BUILD/native" "$BUILD/lint/native"
filtered_db "$BUILD/win32" "$BUILD/lint/win32"

mapfile -t core < <(ls drive/*.cpp ui/*.cpp app/*.cpp 2>/dev/null | grep -v '_win\.cpp$')
mapfile -t win < <(ls drive/*_win.cpp ui/*_win.cpp app/*_win.cpp bench/*.cpp 2>/dev/null)
mapfile -t hooked < <(grep -l KESTRUNE_TEST_BUILD "${win[@]}" /dev/null 2>/dev/null)

# The target's C++ library headers; clang brings its own compiler headers
# (intrinsics), so GCC's include/ and include-fixed/ stay out.
win_args=(--extra-arg=--target=i686-w64-mingw32 --extra-arg=-Wno-unknown-argument)
while read -r dir; do
  win_args+=("--extra-arg=-isystem$dir")
done < <(echo | i686-w64-mingw32-g++-posix -xc++ -E -v - 2>&1 |
         sed -n '/#include <...> search starts here:/,/End of search list/p' | grep '^ .*/include/c++' | sed 's/^ *//')

# Runs clang-tidy over the files, JOBS at a time; prints the findings.
tidy() {
  local db=$1; shift
  local -a args=()
  while [ "$1" != -- ]; do args+=("$1"); shift; done
  shift
  printf '%s\0' "$@" | xargs -0 -r -n 1 -P "$JOBS" clang-tidy -p "$db" --quiet "${args[@]}" 2>/dev/null |
    grep -E -A3 '(warning|error):'
}

echo "clang-tidy: ${#core[@]} platform-free and ${#win[@]} Win32 sources (${#hooked[@]} also as the test build)"
findings=$(
  [ ${#core[@]} -gt 0 ] && tidy "$BUILD/lint/native" -- "${core[@]}"
  [ ${#win[@]} -gt 0 ] && tidy "$BUILD/lint/win32" "${win_args[@]}" -- "${win[@]}"
  [ ${#hooked[@]} -gt 0 ] && tidy "$BUILD/lint/win32" "${win_args[@]}" --extra-arg=-DKESTRUNE_TEST_BUILD -- "${hooked[@]}"
)
if [ -n "$findings" ]; then
  echo "$findings"
  status=1
fi

echo "cppcheck"
# cppcheck reads ASCII only, and the control names are Chinese identifiers: it
# checks a copy in which every other byte is spelled in ASCII (an identifier's
# byte as _xx, a literal's byte as X, so literal lengths stay), with the same
# lines, and its findings name the real files.
ascii="$BUILD/lint/ascii"
rm -rf "$ascii"
python3 - "$ascii" drive ui app bench <<'PY'
import pathlib, sys
out = pathlib.Path(sys.argv[1])
def spell(src):
    res, i, n, state = bytearray(), 0, len(src), None
    while i < n:
        c = src[i]
        if state is None:
            if src.startswith(b'//', i): state = 'line'
            elif src.startswith(b'/*', i): state = 'block'
            elif c in b'"\'': state = chr(c)
        elif state == 'line' and c == 0x0A: state = None
        elif state == 'block' and src.startswith(b'*/', i):
            res += b'*/'; i += 2; state = None; continue
        elif state in ('"', "'"):
            if c == 0x5C: res += src[i:i + 2]; i += 2; continue
            if c == ord(state) or c == 0x0A: state = None
        if c >= 0x80:
            res += b'X' if state in ('"', "'", 'line', 'block') else b'_%02x' % c
        else:
            res.append(c)
        i += 1
    return bytes(res)
for d in sys.argv[2:]:
    for f in pathlib.Path(d).glob('*'):
        if f.suffix in ('.h', '.cpp'):
            (out / d).mkdir(parents=True, exist_ok=True)
            (out / f).write_bytes(spell(f.read_bytes()))
PY
dirs=()
for d in drive ui app bench; do [ -d "$ascii/$d" ] && dirs+=("$d"); done
for defs in "" "-DKESTRUNE_TEST_BUILD"; do
  # shellcheck disable=SC2086
  (cd "$ascii" && cppcheck --quiet --error-exitcode=1 --enable=warning,performance,portability --std=c++20 \
    --inline-suppr --suppress=missingIncludeSystem --suppress=unknownMacro \
    -D_WIN32 $defs -I . "${dirs[@]}") || status=1
done

if [ $status -eq 0 ]; then echo "lint clean"; else echo "lint: findings above"; fi
exit $status
