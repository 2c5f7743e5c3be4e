#include "ui/test_hooks_win.h"

#ifdef KESTRUNE_TEST_BUILD
#include <windows.h>

bool TestFaultRequested(const char* fault) {
  char value[64];
  const DWORD length = GetEnvironmentVariableA("KESTRUNE_FAULT", value, sizeof value);
  return length > 0 && length < sizeof value && lstrcmpA(value, fault) == 0;
}
#endif
