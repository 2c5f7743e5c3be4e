// The program heap: the process heap, for every text and for the drive
// record. A refused request is fatal.
#include <windows.h>

#include <cstdio>

#include "drive/text.h"
#include "ui/runtime_win.h"
#include "ui/test_hooks_win.h"

namespace {

std::size_t liveBlocks = 0;
#ifdef KESTRUNE_TEST_BUILD
bool refuseNext = false;
#endif

[[noreturn]] void ReportMemoryRefused(std::size_t bytes) {
  // Formatted on the stack: the heap has just said no.
  char message[96];
  std::snprintf(message, sizeof message, "内存不足: 申请 %lu 字节的内存失败。", static_cast<unsigned long>(bytes));
  ReportFatalError(message);
}

}  // namespace

void* AllocateProgramMemory(std::size_t bytes) {
  void* block = HeapAlloc(GetProcessHeap(), 0, bytes == 0 ? 1 : bytes);
#ifdef KESTRUNE_TEST_BUILD
  if (refuseNext) {
    refuseNext = false;
    HeapFree(GetProcessHeap(), 0, block);
    block = nullptr;
  }
#endif
  if (block == nullptr) ReportMemoryRefused(bytes);
  ++liveBlocks;
  return block;
}

void ReleaseProgramMemory(void* block) noexcept {
  if (block == nullptr) return;
  --liveBlocks;
  HeapFree(GetProcessHeap(), 0, block);
}

std::size_t LiveProgramBlocks() noexcept { return liveBlocks; }

#ifdef KESTRUNE_TEST_BUILD
void RefuseNextProgramMemoryRequest() { refuseNext = true; }
#endif
