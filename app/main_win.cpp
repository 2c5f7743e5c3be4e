#include "app/main_win.h"

#include <float.h>
#include <xmmintrin.h>

#include <new>

#include "app/events_win.h"
#include "drive/drive_info.h"
#include "ui/runtime_win.h"
#include "ui/test_hooks_win.h"

namespace {

// Every floating-point exception masked (division by zero and invalid
// operations give infinities and NaNs), rounding to nearest: the x87 unit
// and SSE both.
void ResetFloatingPoint() {
  _fpreset();
  _mm_setcsr(_MM_MASK_MASK | _MM_ROUND_NEAREST);
}

}  // namespace

void CreateDriveInfo() {
#ifdef KESTRUNE_TEST_BUILD
  if (TestFaultRequested("record-memory")) RefuseNextProgramMemoryRequest();
#endif
  void* memory = AllocateProgramMemory(sizeof(DriveInfo));
  driveInfo = new (memory) DriveInfo{};
}

void ReleaseDriveInfo() {
  if (driveInfo == nullptr) return;
  Text().swap(driveInfo->volumeLabel);
  Text().swap(driveInfo->driveText);
  driveInfo->~DriveInfo();
  ReleaseProgramMemory(driveInfo);
  driveInfo = nullptr;
}

int ProgramMain() {
  StartRuntime();
  ResetFloatingPoint();
  CreateDriveInfo();
  RegisterExitCallback(ReleaseDriveInfo);
  SetEventDispatcher(DispatchEvent);
  LoadStartupWindow(MainWindowSpec().id);
  RunMessageLoop();
  return 0;
}
