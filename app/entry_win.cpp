// The process entry: the program's entry procedure, then the exit clean-up.
#include <windows.h>

#include "app/main_win.h"
#include "ui/runtime_win.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
  const int code = ProgramMain();
  RunExitCleanup();
  return code;
}

// The compiler's thread support library (pulled in by the C++ runtime's
// exception handling) imports GetTickCount64, which Windows XP lacks; an
// import the system cannot resolve stops the program before it starts. This
// definition of the import slot takes its place: the real function where the
// system has one, else the 32-bit tick count. The program has one thread and
// no timed waits, so the count's wrap after 49 days does not matter.
namespace {

ULONGLONG WINAPI TickCount64() {
  using Function = ULONGLONG(WINAPI*)();
  // Looked up on each call: a guarded static would go through the very
  // thread library that calls this.
  const auto system = reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount64")));
  return system != nullptr ? system() : GetTickCount();
}

}  // namespace

extern "C" {
extern ULONGLONG(WINAPI* const systemTickCount64)() __asm__("__imp__GetTickCount64@0");
ULONGLONG(WINAPI* const systemTickCount64)() = TickCount64;
}
