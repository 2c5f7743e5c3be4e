#include "drive/format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>
#include <utility>

namespace {

// FormatNumberText works in an area of 200 bytes: 199 characters and the
// terminator. Nothing it writes can pass that; Put drops what would, as a
// last guard, but the callers below size their output beforehand.
constexpr std::size_t kWorkingLength = 199;

struct WorkingText {
  char bytes[kWorkingLength];
  std::size_t length = 0;

  void Put(char c) {
    if (length < kWorkingLength) bytes[length++] = c;
  }
  void Put(std::string_view s) {
    for (char c : s) Put(c);
  }
  std::string_view View() const { return {bytes, length}; }
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// 10^0 to 10^308, each correctly rounded to a double by the compiler (a table
// rather than a conversion at run time: the C library's text-to-double code
// would add some 30 KiB to the program file).
constexpr double kPowersOfTen[309] = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9,
    1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19,
    1e20, 1e21, 1e22, 1e23, 1e24, 1e25, 1e26, 1e27, 1e28, 1e29,
    1e30, 1e31, 1e32, 1e33, 1e34, 1e35, 1e36, 1e37, 1e38, 1e39,
    1e40, 1e41, 1e42, 1e43, 1e44, 1e45, 1e46, 1e47, 1e48, 1e49,
    1e50, 1e51, 1e52, 1e53, 1e54, 1e55, 1e56, 1e57, 1e58, 1e59,
    1e60, 1e61, 1e62, 1e63, 1e64, 1e65, 1e66, 1e67, 1e68, 1e69,
    1e70, 1e71, 1e72, 1e73, 1e74, 1e75, 1e76, 1e77, 1e78, 1e79,
    1e80, 1e81, 1e82, 1e83, 1e84, 1e85, 1e86, 1e87, 1e88, 1e89,
    1e90, 1e91, 1e92, 1e93, 1e94, 1e95, 1e96, 1e97, 1e98, 1e99,
    1e100, 1e101, 1e102, 1e103, 1e104, 1e105, 1e106, 1e107, 1e108, 1e109,
    1e110, 1e111, 1e112, 1e113, 1e114, 1e115, 1e116, 1e117, 1e118, 1e119,
    1e120, 1e121, 1e122, 1e123, 1e124, 1e125, 1e126, 1e127, 1e128, 1e129,
    1e130, 1e131, 1e132, 1e133, 1e134, 1e135, 1e136, 1e137, 1e138, 1e139,
    1e140, 1e141, 1e142, 1e143, 1e144, 1e145, 1e146, 1e147, 1e148, 1e149,
    1e150, 1e151, 1e152, 1e153, 1e154, 1e155, 1e156, 1e157, 1e158, 1e159,
    1e160, 1e161, 1e162, 1e163, 1e164, 1e165, 1e166, 1e167, 1e168, 1e169,
    1e170, 1e171, 1e172, 1e173, 1e174, 1e175, 1e176, 1e177, 1e178, 1e179,
    1e180, 1e181, 1e182, 1e183, 1e184, 1e185, 1e186, 1e187, 1e188, 1e189,
    1e190, 1e191, 1e192, 1e193, 1e194, 1e195, 1e196, 1e197, 1e198, 1e199,
    1e200, 1e201, 1e202, 1e203, 1e204, 1e205, 1e206, 1e207, 1e208, 1e209,
    1e210, 1e211, 1e212, 1e213, 1e214, 1e215, 1e216, 1e217, 1e218, 1e219,
    1e220, 1e221, 1e222, 1e223, 1e224, 1e225, 1e226, 1e227, 1e228, 1e229,
    1e230, 1e231, 1e232, 1e233, 1e234, 1e235, 1e236, 1e237, 1e238, 1e239,
    1e240, 1e241, 1e242, 1e243, 1e244, 1e245, 1e246, 1e247, 1e248, 1e249,
    1e250, 1e251, 1e252, 1e253, 1e254, 1e255, 1e256, 1e257, 1e258, 1e259,
    1e260, 1e261, 1e262, 1e263, 1e264, 1e265, 1e266, 1e267, 1e268, 1e269,
    1e270, 1e271, 1e272, 1e273, 1e274, 1e275, 1e276, 1e277, 1e278, 1e279,
    1e280, 1e281, 1e282, 1e283, 1e284, 1e285, 1e286, 1e287, 1e288, 1e289,
    1e290, 1e291, 1e292, 1e293, 1e294, 1e295, 1e296, 1e297, 1e298, 1e299,
    1e300, 1e301, 1e302, 1e303, 1e304, 1e305, 1e306, 1e307, 1e308,
};

// 10^n correctly rounded to a double; infinity when it passes the double range.
double PowerOfTen(unsigned n) {
  return n < std::size(kPowersOfTen) ? kPowersOfTen[n] : std::numeric_limits<double>::infinity();
}

// Rounds half away from zero to `decimals` places, every step in double
// precision. The 1e-12 lifts figures that lie a hair below a half only
// because of their binary representation (1.005, 0.15). A finite value never
// becomes infinite or NaN: one that is whole at the scale already, or whose
// rounded figure would pass the double range, stays as it is.
double RoundToDecimals(double value, int decimals) {
  if (value == 0 || !std::isfinite(value)) return value;
  const double magnitude = std::fabs(value);
  const unsigned places = decimals < 0 ? 0u - static_cast<unsigned>(decimals) : static_cast<unsigned>(decimals);
  const double scale = PowerOfTen(places);

  double scaled = magnitude;
  if (decimals > 0) scaled = magnitude * scale;
  if (decimals < 0) scaled = magnitude / scale;
  if (std::isinf(scaled)) return value;

  const double lifted = scaled + 1e-12;
  double whole = std::trunc(lifted);
  if (lifted - whole >= 0.5) whole += 1;

  double rounded = whole;
  if (decimals > 0) rounded = whole / scale;
  if (decimals < 0) rounded = whole == 0 ? 0.0 : whole * scale;  // 0 × ∞ would be NaN
  if (std::isinf(rounded)) return value;
  return std::copysign(rounded, value);  // -0.04 to one place is -0
}

// A magnitude's 13 significant digits, trailing zeros removed, and the power
// of ten of the first digit.
struct SignificantDigits {
  char digits[13];
  int count;
  int exponent;
};

// 17 significant digits, rounded to nearest (exact; the decimal point is
// skipped by its place, whatever the locale writes), then
// that digit string rounded half up to 13: the 14th digit alone decides.
SignificantDigits ThirteenDigits(double magnitude) {
  char scientific[32];  // d.dddddddddddddddde-XXX
  const int length = std::snprintf(scientific, sizeof scientific, "%.16e", magnitude);
  const char* end = scientific + length;

  char seventeen[17];
  seventeen[0] = scientific[0];
  for (int i = 1; i < 17; ++i) seventeen[i] = scientific[i + 1];
  const char* e = scientific + 18;  // the 'e'
  int exponent = 0;
  std::from_chars(e[1] == '+' ? e + 2 : e + 1, end, exponent);

  SignificantDigits result{};
  for (int i = 0; i < 13; ++i) result.digits[i] = seventeen[i];
  if (seventeen[13] >= '5') {
    int i = 12;
    while (i >= 0 && result.digits[i] == '9') result.digits[i--] = '0';
    if (i >= 0) {
      ++result.digits[i];
    } else {  // 9.999…95 becomes 1.000…0 of the next power
      result.digits[0] = '1';
      ++exponent;
    }
  }
  result.exponent = exponent;
  result.count = 13;
  while (result.count > 1 && result.digits[result.count - 1] == '0') --result.count;
  return result;
}

void PutExponentNotation(WorkingText& text, const SignificantDigits& d) {
  text.Put(d.digits[0]);
  if (d.count > 1) {
    text.Put('.');
    text.Put(std::string_view(d.digits + 1, d.count - 1));
  }
  text.Put('e');
  text.Put(d.exponent < 0 ? '-' : '+');
  const int power = d.exponent < 0 ? -d.exponent : d.exponent;  // at most 324
  text.Put(static_cast<char>('0' + power / 100));
  text.Put(static_cast<char>('0' + power / 10 % 10));
  text.Put(static_cast<char>('0' + power % 10));
}

void PutPlainNotation(WorkingText& text, const SignificantDigits& d) {
  if (d.exponent < 0) {  // 0.000123
    text.Put("0.");
    for (int i = -1; i > d.exponent; --i) text.Put('0');
    text.Put(std::string_view(d.digits, d.count));
    return;
  }
  const int wholeDigits = d.exponent + 1;
  for (int i = 0; i < wholeDigits; ++i) text.Put(i < d.count ? d.digits[i] : '0');
  if (d.count > wholeDigits) {
    text.Put('.');
    text.Put(std::string_view(d.digits + wholeDigits, d.count - wholeDigits));
  }
}

// The "%.13g" text of `value`. Tells whether it is in plain notation.
bool PutGeneralNotation(WorkingText& text, double value) {
  if (std::isnan(value)) {
    text.Put("nan");
    return false;
  }
  if (value == 0) {  // negative zero too
    text.Put('0');
    return true;
  }
  if (value < 0) text.Put('-');
  if (std::isinf(value)) {
    text.Put("inf");
    return false;
  }
  const SignificantDigits digits = ThirteenDigits(std::fabs(value));
  if (digits.exponent < -4 || digits.exponent >= 13) {
    PutExponentNotation(text, digits);
    return false;
  }
  PutPlainNotation(text, digits);
  return true;
}

// Where the whole-number digits of a number text end: its "." or its end.
// npos when the text is not a plain number (an optional "-", then only
// digits and ".").
std::size_t WholeDigitsEnd(std::string_view text) {
  const std::string_view body = text.substr(!text.empty() && text[0] == '-' ? 1 : 0);
  if (body.empty()) return std::string_view::npos;
  for (char c : body) {
    if (!IsDigit(c) && c != '.') return std::string_view::npos;
  }
  const std::size_t dot = text.find('.');
  return dot == std::string_view::npos ? text.size() : dot;
}

// How many "," grouping adds to a plain number text.
std::size_t SeparatorCount(std::string_view text) {
  const std::size_t end = WholeDigitsEnd(text);
  if (end == std::string_view::npos) return 0;
  const std::size_t wholeDigits = end - (text[0] == '-' ? 1 : 0);
  return wholeDigits == 0 ? 0 : (wholeDigits - 1) / 3;
}

// A "," in front of every group of three whole-number digits, counted from
// the "." or the end, never in front of the first digit. Any text that is
// not a plain number is copied unchanged.
void PutGrouped(WorkingText& out, std::string_view text) {
  const std::size_t end = WholeDigitsEnd(text);
  if (end == std::string_view::npos) {
    out.Put(text);
    return;
  }
  const std::size_t first = text[0] == '-' ? 1 : 0;
  out.Put(text.substr(0, first));
  for (std::size_t i = first; i < end; ++i) {
    if (i > first && (end - i) % 3 == 0) out.Put(',');
    out.Put(text[i]);
  }
  out.Put(text.substr(end));
}

// The finished text as a new Text, grouped when asked.
Text Finished(const WorkingText& text, bool separators) {
  if (!separators) return Text(text.View());
  WorkingText grouped;
  PutGrouped(grouped, text.View());
  return Text(grouped.View());
}

// One full-width GBK pair folded to ASCII, or -1 when the pair stays as it is.
int FoldFullWidthPair(unsigned char lead, unsigned char trail) {
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return trail - 0x80;  // digits, signs, letters
  if (lead == 0xA1 && trail == 0xA1) return ' ';                             // full-width space
  if (lead == 0xA1 && trail == 0xAB) return '~';                             // full-width tilde
  if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) return '*';          // hollow and solid star
  return -1;
}

// The bytes of a text as folded, one at a time, without copying the text.
struct FoldedBytes {
  std::string_view text;
  std::size_t at = 0;
  int pending = -1;  // the trail byte of a pair that stays as it is

  // The next byte, or -1 at the end of the text.
  int Next() {
    if (pending >= 0) return std::exchange(pending, -1);
    if (at == text.size()) return -1;
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    if (at == text.size()) return -1;  // a lone lead byte is dropped and ends the text
    const auto trail = static_cast<unsigned char>(text[at++]);
    const int folded = FoldFullWidthPair(lead, trail);
    if (folded >= 0) return folded;
    pending = trail;
    return lead;
  }
};

bool IsSpace(int c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }

std::string_view UpToZeroByte(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace

Text FormatNumberText(double value, std::optional<int> decimals, bool separators) {
  if (decimals) value = RoundToDecimals(value, *decimals);

  WorkingText text;
  const bool plain = PutGeneralNotation(text, value);

  if (decimals && *decimals > 0 && plain) {
    const std::size_t dot = text.View().find('.');
    const std::size_t have = dot == std::string_view::npos ? 0 : text.length - dot - 1;
    const std::size_t wanted = static_cast<std::size_t>(*decimals);
    if (have < wanted) {
      // Room for the "." and the separators still to come.
      const std::size_t extra = (dot == std::string_view::npos ? 1 : 0) + (separators ? SeparatorCount(text.View()) : 0);
      const std::size_t room = kWorkingLength - text.length - extra;
      if (dot == std::string_view::npos) text.Put('.');
      for (std::size_t i = 0; i < wanted - have && i < room; ++i) text.Put('0');
    }
  }

  return Finished(text, separators);
}

Text FormatIntegerText(std::int64_t value, bool separators) {
  // Magnitude in unsigned arithmetic, so that the most negative value works.
  std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  char reversed[20];
  int count = 0;
  do {
    reversed[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);

  WorkingText text;
  if (value < 0) text.Put('-');
  while (count > 0) text.Put(reversed[--count]);
  return Finished(text, separators);
}

std::int32_t TextToInt(std::string_view text) {
  FoldedBytes bytes{UpToZeroByte(text)};
  int c = bytes.Next();
  while (IsSpace(c)) c = bytes.Next();
  const bool negative = c == '-';
  if (c == '+' || c == '-') c = bytes.Next();
  std::uint32_t total = 0;  // unsigned: wraps silently, as the 32-bit rule says
  while (c >= '0' && c <= '9') {
    total = total * 10u + static_cast<std::uint32_t>(c - '0');
    c = bytes.Next();
  }
  if (negative) total = 0u - total;
  return static_cast<std::int32_t>(total);
}

Text JoinTextList(const std::string_view* parts, std::size_t count) {
  std::size_t length = 0;
  for (std::size_t i = 0; i < count; ++i) length += UpToZeroByte(parts[i]).size();
  Text joined;
  joined.reserve(length);
  for (std::size_t i = 0; i < count; ++i) joined.append(UpToZeroByte(parts[i]));
  return joined;
}
