#pragma once
// The number and text rules behind every figure the window shows.

#include <cstdint>
#include <optional>

#include "drive/text.h"

// `value` as the window shows it: rounded half away from zero to `decimals`
// places when `decimals` is given (a given 0 rounds to a whole number, a
// missing one leaves the value as it is), written with 13 significant digits
// ("%.13g" style, three-digit exponent), padded with zeros to `decimals`
// places, and with "," thousands separators when `separators` is true.
// Never returns an empty text.
Text FormatNumberText(double value, std::optional<int> decimals = std::nullopt, bool separators = false);

// An exact whole number with the same thousands separators. Used for byte
// counts, which can pass the 13 significant digits of FormatNumberText.
Text FormatIntegerText(std::int64_t value, bool separators = true);

// The leading whole number of `text` after folding full-width GBK digits,
// signs, space, tilde and stars to ASCII. 32-bit two's complement, wrapping.
std::int32_t TextToInt(std::string_view text);

// The texts one after another, as a new text.
Text JoinText(std::string_view first, auto... rest);

// --- implementation of the variadic join ----------------------------------
Text JoinTextList(const std::string_view* parts, std::size_t count);

Text JoinText(std::string_view first, auto... rest) {
  const std::string_view parts[] = {first, std::string_view(rest)...};
  return JoinTextList(parts, 1 + sizeof...(rest));
}
