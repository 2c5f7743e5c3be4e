// TextToInt on any bytes, checked against a plain restatement of its rule:
// fold the whole text into a copy first, then read the number in 64-bit
// arithmetic reduced to 32 bits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "drive/format.h"

namespace {

std::string Folded(std::string_view text) {
  std::string folded;
  for (std::size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      folded += static_cast<char>(lead);
      continue;
    }
    if (i + 1 == text.size() || text[i + 1] == '\0') break;  // lone lead byte
    const auto trail = static_cast<unsigned char>(text[++i]);
    if (lead == 0xA3 && trail >= 0xA1 && trail != 0xFF) {
      folded += static_cast<char>(trail - 0x80);
    } else if (lead == 0xA1 && trail == 0xA1) {
      folded += ' ';
    } else if (lead == 0xA1 && trail == 0xAB) {
      folded += '~';
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      folded += '*';
    } else {
      folded += static_cast<char>(lead);
      folded += static_cast<char>(trail);
    }
  }
  return folded;
}

std::int32_t Reference(std::string_view text) {
  const std::string folded = Folded(text);
  std::size_t i = folded.find_first_not_of(" \t\n\v\f\r");
  if (i == std::string::npos) return 0;
  bool negative = false;
  if (folded[i] == '+' || folded[i] == '-') negative = folded[i++] == '-';
  std::uint64_t total = 0;
  for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
    total = (total * 10 + static_cast<std::uint64_t>(folded[i] - '0')) % 0x100000000;
  }
  if (negative) total = (0x100000000 - total) % 0x100000000;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(total));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (TextToInt(text) != Reference(text)) std::abort();
  return 0;
}
