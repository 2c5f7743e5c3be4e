// JoinText of one to four parts cut from the input: the result is the parts,
// each up to its first zero byte, one after another, and a well-formed text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "drive/format.h"

namespace {

std::string_view UpToZero(std::string_view part) { return part.substr(0, part.find('\0')); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  // First byte: how many parts; the next three: where to cut.
  const std::size_t count = data[0] % 4 + 1;
  std::string_view rest(reinterpret_cast<const char*>(data) + 4, size - 4);
  std::string_view parts[4];
  for (std::size_t i = 0; i + 1 < count; ++i) {
    const std::size_t cut = rest.empty() ? 0 : data[1 + i] % (rest.size() + 1);
    parts[i] = rest.substr(0, cut);
    rest.remove_prefix(cut);
  }
  parts[count - 1] = rest;

  Text joined;
  switch (count) {
    case 1: joined = JoinText(parts[0]); break;
    case 2: joined = JoinText(parts[0], parts[1]); break;
    case 3: joined = JoinText(parts[0], parts[1], parts[2]); break;
    default: joined = JoinText(parts[0], parts[1], parts[2], parts[3]); break;
  }

  std::string expected;
  for (std::size_t i = 0; i < count; ++i) expected += UpToZero(parts[i]);
  if (std::string_view(joined) != expected) std::abort();
  if (std::strlen(joined.c_str()) != joined.size()) std::abort();
  return 0;
}
