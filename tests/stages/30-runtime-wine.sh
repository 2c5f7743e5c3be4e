# The window runtime inside a Windows process, and the program started as a
# process (exit codes, the fatal paths, the folder it runs in): under an
# English locale (ANSI code page 1252) and a Chinese one (936), which must
# show the same texts.
set -e
for lang in en_US.UTF-8 zh_CN.UTF-8; do
  echo "--- LANG=$lang"
  LANG=$lang LC_ALL=$lang wine "$BUILD/win32/wine_tests.exe" --gtest_brief=1 --gtest_filter='Runtime*'
done
