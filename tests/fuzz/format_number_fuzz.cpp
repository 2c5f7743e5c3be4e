// FormatNumberText on any double bit pattern (NaN, infinities, subnormals),
// any decimals or none, both separator settings; FormatIntegerText on any
// 64-bit value. Checks what must hold whatever the input:
//  - never empty, at most 199 characters, only the characters of a number;
//  - the grouped text is the plain text with "," added, and nothing else;
//  - the text reads back as the value, rounded as asked, to 13 digits;
//  - zero padding gives exactly the decimals asked for (while it fits);
//  - FormatIntegerText is the exact integer, and FormatNumberText agrees
//    with it on the whole numbers it writes plainly.
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "drive/format.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

std::string WithoutSeparators(std::string_view text) {
  std::string plain;
  for (char c : text) {
    if (c != ',') plain += c;
  }
  return plain;
}

bool IsPlainNumber(std::string_view text) {
  if (!text.empty() && text[0] == '-') text.remove_prefix(1);
  return !text.empty() && text.find_first_not_of("0123456789.") == std::string_view::npos;
}

void CheckNumber(double value, std::optional<int> decimals) {
  const Text plain = FormatNumberText(value, decimals, false);
  const Text grouped = FormatNumberText(value, decimals, true);
  for (const Text* text : {&plain, &grouped}) {
    Require(!text->empty() && text->size() <= 199);
    Require(std::strlen(text->c_str()) == text->size());
    Require(text->find_first_not_of("0123456789.,-+eainf") == Text::npos);
  }
  Require(plain.find(',') == Text::npos);

  // Grouping only adds separators. Near the 199-character limit it leaves
  // less room for zero padding, so the ungrouped text may be longer.
  const std::string ungrouped = WithoutSeparators(grouped);
  Require(std::string_view(plain).substr(0, ungrouped.size()) == ungrouped);
  if (plain.size() < 190) Require(ungrouped == std::string_view(plain));
  if (!IsPlainNumber(plain)) Require(grouped == plain);

  if (std::isnan(value)) {
    Require(plain == "nan");
    return;
  }
  if (std::isinf(value)) {
    Require(plain == (value < 0 ? "-inf" : "inf"));
    return;
  }

  // Reads back within the 13-digit error of the rounded value; rounding
  // moves the value by at most half a unit of the last place asked for
  // (plus the 1e-12 lift at that scale).
  double shown = 0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), shown);
  Require(error == std::errc() && end == plain.data() + plain.size());
  const double digitError = 6e-13 * std::fmax(std::fabs(value), std::fabs(shown));
  double roundingError = 0;
  if (decimals) {
    if (*decimals < -308) {
      roundingError = std::fabs(value);  // everything rounds to zero
    } else if (*decimals <= 308) {  // beyond, the value stays as it is
      roundingError = (0.5 + 1e-11) * std::pow(10.0, -*decimals);
    }
  }
  Require(std::fabs(shown - value) <= digitError + roundingError * (1 + 1e-15));

  // Zero padding: exactly the decimals asked for, as long as the text fits.
  if (decimals && *decimals > 0 && IsPlainNumber(plain) && *decimals < 150) {
    const std::size_t dot = plain.find('.');
    Require(dot != Text::npos && plain.size() - dot - 1 == static_cast<std::size_t>(*decimals));
  }

  // Whole numbers written plainly agree with the exact integer path.
  if (!decimals && value == std::trunc(value) && std::fabs(value) < 1e13) {
    Require(grouped == FormatIntegerText(static_cast<std::int64_t>(value), true));
  }
}

void CheckInteger(std::int64_t value) {
  char exact[24];
  const char* end = std::to_chars(exact, exact + sizeof exact, value).ptr;
  Require(std::string_view(FormatIntegerText(value, false)) == std::string_view(exact, end - exact));

  // Grouped from the right: a "," after every three digits.
  const std::string_view digits(exact + (value < 0 ? 1 : 0), end);
  std::string reversed;
  for (std::size_t n = 0; n < digits.size(); ++n) {
    if (n > 0 && n % 3 == 0) reversed += ',';
    reversed += digits[digits.size() - 1 - n];
  }
  if (value < 0) reversed += '-';
  Require(std::string_view(FormatIntegerText(value, true)) == std::string(reversed.rbegin(), reversed.rend()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  std::uint64_t bits = 0;
  std::memcpy(&bits, data, 8);
  std::optional<int> decimals;
  if (size >= 12) {
    std::int32_t places = 0;
    std::memcpy(&places, data + 8, 4);
    decimals = places;
  } else if (size > 8) {
    decimals = static_cast<std::int8_t>(data[8]) % 20;  // the usual small counts
  }
  CheckNumber(std::bit_cast<double>(bits), decimals);
  CheckInteger(std::bit_cast<std::int64_t>(bits));
  return 0;
}
