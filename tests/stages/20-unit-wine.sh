# The same unit tests, built for the target and run under Wine: the proof
# that the shipped i686 code follows the number rules.
set -e
wine "$BUILD/win32/unit_tests.exe" --gtest_brief=1
