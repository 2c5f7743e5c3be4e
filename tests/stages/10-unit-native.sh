# Platform-free unit tests, native build and under ASan + UBSan.
set -e
"$BUILD/native/unit_tests" --gtest_brief=1
"$BUILD/asan/unit_tests" --gtest_brief=1
