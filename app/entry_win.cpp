// The process entry: the program's entry procedure, then the exit clean-up.
#include <windows.h>

#include "app/main_win.h"
#include "ui/runtime_win.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
  const int code = ProgramMain();
  RunExitCleanup();
  return code;
}
