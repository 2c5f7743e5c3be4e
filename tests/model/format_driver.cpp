// Formats the values it reads, one per line, for the differential check in
// format_model.py. Each input line is "<bits> <decimals> <separators>": the
// double's bit pattern in hex, a number of decimals or "n" for none, and 0
// or 1. Each output line is the FormatNumberText of one input line.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "drive/format.h"

int main() {
  static char outputBuffer[1 << 16];
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  char line[128];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    char* at = line;
    const std::uint64_t bits = std::strtoull(at, &at, 16);
    while (*at == ' ') ++at;
    std::optional<int> decimals;
    if (*at == 'n') {
      ++at;
    } else {
      decimals = static_cast<int>(std::strtol(at, &at, 10));
    }
    const bool separators = std::strtol(at, &at, 10) != 0;
    const Text text = FormatNumberText(std::bit_cast<double>(bits), decimals, separators);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
  }
  return 0;
}
