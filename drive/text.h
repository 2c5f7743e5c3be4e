#pragma once
// The program's one text type: an owned, zero-terminated string of GBK bytes.
// An absent text is the empty text. Every text's memory comes from one place,
// the program heap, so that a refused request ends the program with the
// fatal-error report (naming the bytes asked for) and live texts can be counted.

#include <cstddef>
#include <string>
#include <string_view>

// Takes `bytes` from the program heap. Never returns null: a refused request
// ends the process through the fatal-error path.
void* AllocateProgramMemory(std::size_t bytes);
// Gives a block back; null does nothing.
void ReleaseProgramMemory(void* block) noexcept;
// Blocks taken and not yet given back (the leak soak compares it).
std::size_t LiveProgramBlocks() noexcept;

template <class T>
struct ProgramAllocator {
  using value_type = T;
  ProgramAllocator() noexcept = default;
  template <class U>
  ProgramAllocator(const ProgramAllocator<U>& /*other*/) noexcept {}  // NOLINT(google-explicit-constructor)
  T* allocate(std::size_t n) { return static_cast<T*>(AllocateProgramMemory(n * sizeof(T))); }
  void deallocate(T* p, std::size_t /*n*/) noexcept { ReleaseProgramMemory(p); }
  template <class U>
  bool operator==(const ProgramAllocator<U>& /*other*/) const noexcept { return true; }
};

using Text = std::basic_string<char, std::char_traits<char>, ProgramAllocator<char>>;
