# Static analysis: clang-tidy and cppcheck clean on the project's own code.
set -e
JOBS=${JOBS:-2} "$KESTRUNE_ROOT/scripts/lint.sh"
