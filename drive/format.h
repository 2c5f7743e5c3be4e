#pragma once
// The number and text rules behind every figure the window shows. They read
// only their arguments, keep no state and use no C library formatting, so the
// i686 program and the native tests produce the same bytes for every value.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "drive/text.h"

// `value` as the window shows it, never empty and at most 199 characters:
//  1. rounded half away from zero to `decimals` places when `decimals` is
//     given (a given 0 rounds to a whole number, a negative one to tens,
//     hundreds, ...; a missing one leaves the value as it is), with 1e-12
//     added to the scaled magnitude so that 1.005 rounds to 1.01;
//  2. written with 13 significant digits ("%.13g" style): plain notation for
//     decimal exponents -4 to 12, otherwise exponent notation with a sign and
//     three exponent digits (1e+013, 1.5e-005); zero of either sign is "0";
//  3. padded with zeros to `decimals` places (plain notation only);
//  4. with "," thousands separators when `separators` is true (plain notation
//     only; fraction digits are not grouped).
// Values the program never formats get a safe answer: infinities and NaN are
// "inf", "-inf" and "nan"; rounding never turns a finite value into an
// infinity; zero padding stops where the text would pass 199 characters.
Text FormatNumberText(double value, std::optional<int> decimals = std::nullopt, bool separators = false);

// An exact whole number with the same thousands separators. Used for byte
// counts, which can pass the 13 significant digits of FormatNumberText.
Text FormatIntegerText(std::int64_t value, bool separators = true);

// The leading whole number of `text` (up to its first zero byte) after
// folding full-width GBK digits, signs, letters, space, tilde and stars to
// ASCII: white space skipped, one optional sign, decimal digits. 32-bit two's
// complement, wrapping silently. No digit gives 0.
std::int32_t TextToInt(std::string_view text);

// The parts of a join, each measured up to its first zero byte.
Text JoinTextList(const std::string_view* parts, std::size_t count);

// The texts one after another, as a new text (new even when all are empty).
// An absent text is the empty text.
Text JoinText(std::string_view first, auto... rest) {
  const std::string_view parts[] = {first, std::string_view(rest)...};
  return JoinTextList(parts, 1 + sizeof...(rest));
}
