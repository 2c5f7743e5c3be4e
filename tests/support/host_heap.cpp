// Program memory for the test binaries: the C heap. A refused request aborts
// with the byte count, which is what the program's fatal path reports.
#include <cstdio>
#include <cstdlib>

#include "drive/text.h"

namespace {
std::size_t liveBlocks = 0;
}

void* AllocateProgramMemory(std::size_t bytes) {
  void* block = std::malloc(bytes == 0 ? 1 : bytes);
  if (block == nullptr) {
    std::fprintf(stderr, "out of memory: %zu bytes requested\n", bytes);
    std::abort();
  }
  ++liveBlocks;
  return block;
}

void ReleaseProgramMemory(void* block) noexcept {
  if (block == nullptr) return;
  --liveBlocks;
  std::free(block);
}

std::size_t LiveProgramBlocks() noexcept { return liveBlocks; }
