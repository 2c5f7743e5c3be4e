// The number and text rules, as tables. The same binary runs natively and as
// the i686 build under Wine, so these tables hold for the shipped arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "drive/format.h"

namespace {

std::string Str(const Text& text) { return std::string(text.data(), text.size()); }

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();

struct NumberCase {
  double value;
  std::optional<int> decimals;
  bool separators;
  const char* text;
};

TEST(FormatNumberText, FollowsTheRules) {
  const NumberCase cases[] = {
      // byte counts: KiB × 1024, whole, grouped
      {0, std::nullopt, true, "0"},
      {1024, std::nullopt, true, "1,024"},
      {123, std::nullopt, true, "123"},
      {1023.5, std::nullopt, true, "1,023.5"},
      {1073740800, std::nullopt, true, "1,073,740,800"},
      {2199023254528, std::nullopt, true, "2,199,023,254,528"},
      {-1024, std::nullopt, true, "-1,024"},
      {-2199023255552, std::nullopt, true, "-2,199,023,255,552"},
      {-0.0, std::nullopt, true, "0"},
      {0.1234, std::nullopt, true, "0.1234"},
      // 13 significant digits, plain from 10^-4 up to below 10^13
      {1e13, std::nullopt, true, "1e+013"},
      {9999999999999.5, std::nullopt, true, "1e+013"},  // rounds up into the next power
      {9999999999999.0, std::nullopt, true, "9,999,999,999,999"},
      {123456789012345.0, std::nullopt, false, "1.234567890123e+014"},
      {0.00001, std::nullopt, false, "1e-005"},
      {0.000015, std::nullopt, false, "1.5e-005"},
      {0.0001, std::nullopt, false, "0.0001"},
      {0.000123, std::nullopt, false, "0.000123"},
      {-0.000123, std::nullopt, false, "-0.000123"},
      {0.1 + 0.2, std::nullopt, false, "0.3"},
      {2.0 / 3.0, std::nullopt, false, "0.6666666666667"},
      // 17 digits 1.1612391388465000 first, then half up: not the 13 digits
      // a direct rounding of 1.16123913884649998… would give
      {1.1612391388465, std::nullopt, false, "1.161239138847"},
      {kMax, std::nullopt, false, "1.797693134862e+308"},
      {5e-324, std::nullopt, false, "4.940656458412e-324"},  // smallest subnormal
      {-2.2250738585072014e-308, std::nullopt, false, "-2.225073858507e-308"},
      // GB and MB figures: one decimal, zero-filled
      {0, 1, false, "0.0"},
      {12, 1, false, "12.0"},
      {12.34, 1, false, "12.3"},
      {12.35, 1, false, "12.4"},
      {999.94, 1, false, "999.9"},
      {999.95, 1, false, "1000.0"},
      {1023.5, 1, false, "1023.5"},
      {1023.9990234375, 1, false, "1024.0"},
      {2047.99999904632568359375, 1, false, "2048.0"},
      {-0.0009765625, 1, false, "0.0"},  // rounds to negative zero, shown unsigned
      {-0.06, 1, false, "-0.1"},
      {0.15, 1, false, "0.2"},
      // other places
      {1.005, 2, false, "1.01"},
      {12.3, 3, false, "12.300"},
      {2.5, 0, false, "3"},
      {-2.5, 0, false, "-3"},
      {2.4999, 0, false, "2"},
      {1234567.891, 2, true, "1,234,567.89"},
      {1234.5, -2, true, "1,200"},
      {15, -1, false, "20"},
      {-1250, -2, false, "-1300"},
      {1.5, -1, false, "0"},
      {0.00012, 6, false, "0.000120"},
      // not given: no rounding, even where a given 0 would round
      {2.5, std::nullopt, false, "2.5"},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(Str(FormatNumberText(c.value, c.decimals, c.separators)), c.text)
        << "value " << c.value << ", decimals " << (c.decimals ? std::to_string(*c.decimals) : "none")
        << ", separators " << c.separators;
  }
}

// Cases no caller of the program produces: each gets a safe text of at most
// 199 characters, and rounding never makes a finite value infinite or NaN.
TEST(FormatNumberText, GivesSafeTextsOutsideTheProgramsRange) {
  const NumberCase cases[] = {
      {kInf, std::nullopt, true, "inf"},
      {-kInf, 2, true, "-inf"},
      {std::nan(""), 1, true, "nan"},
      {-std::nan(""), std::nullopt, false, "nan"},
      {1e13, 2, true, "1e+013"},          // exponent notation is not zero-filled
      {0.00001, 3, false, "0.000"},       // rounded away first
      {0.0000123, 9, false, "1.23e-005"},
      {kMax, 3, false, "1.797693134862e+308"},     // scaling overflows: already whole
      {kMax, -308, false, "1.797693134862e+308"},  // rounded figure passes the range
      {kMax, kIntMax, false, "1.797693134862e+308"},
      {1.5, kIntMin, false, "0"},
      {-1.5, -400, false, "0"},
  };
  for (const NumberCase& c : cases) {
    EXPECT_EQ(Str(FormatNumberText(c.value, c.decimals, c.separators)), c.text)
        << "value " << c.value << ", decimals " << (c.decimals ? std::to_string(*c.decimals) : "none");
  }

  for (const bool separators : {false, true}) {
    for (const int decimals : {190, 196, 197, 198, 250, kIntMax}) {
      const std::string text = Str(FormatNumberText(-1234567.5, decimals, separators));
      EXPECT_EQ(text.size(), 199u) << decimals;
      EXPECT_EQ(text.rfind(separators ? "-1,234,567.5000" : "-1234567.5000", 0), 0u) << text;
      EXPECT_EQ(text.find_first_not_of('0', text.find(".5") + 2), std::string::npos) << text;
    }
  }
}

TEST(FormatIntegerText, IsExactAtAnySize) {
  const struct {
    std::int64_t value;
    bool separators;
    const char* text;
  } cases[] = {
      {0, true, "0"},
      {999, true, "999"},
      {1000, true, "1,000"},
      {-1000, true, "-1,000"},
      {-100, true, "-100"},
      {2199023254528, true, "2,199,023,254,528"},
      {17592186044416, true, "17,592,186,044,416"},  // a 16 TiB drive
      {std::numeric_limits<std::int64_t>::max(), true, "9,223,372,036,854,775,807"},
      {std::numeric_limits<std::int64_t>::min(), true, "-9,223,372,036,854,775,808"},
      {17592186044416, false, "17592186044416"},
      {-42, false, "-42"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Str(FormatIntegerText(c.value, c.separators)), c.text) << c.value;
  }
}

TEST(FormatIntegerText, GroupsLikeFormatNumberText) {
  // Every length of whole number that FormatNumberText writes plainly.
  for (std::int64_t magnitude = 0; magnitude < 10000000000000; magnitude = magnitude * 10 + 7) {
    for (const std::int64_t value : {magnitude, -magnitude, magnitude + 2}) {
      EXPECT_EQ(Str(FormatIntegerText(value)), Str(FormatNumberText(static_cast<double>(value), std::nullopt, true)));
    }
  }
}

TEST(TextToInt, ReadsTheLeadingNumber) {
  using namespace std::string_view_literals;
  const struct {
    std::string_view text;
    std::int32_t value;
  } cases[] = {
      {"12.3 GB", 12},
      {"1000.0 MB", 1000},
      {"0.4 GB", 0},
      {"-0.1 MB", 0},
      {"  -7x", -7},
      {"+15", 15},
      {"", 0},
      {"GB 12", 0},
      {"\t\n\v\f\r 9", 9},
      {"--5", 0},
      {"+-5", 0},
      {"- 5", 0},
      {"2147483647", 2147483647},
      {"2147483648", -2147483647 - 1},
      {"4294967297", 1},
      {"-2147483648", -2147483647 - 1},
      {"-4294967295", 1},
      {"99999999999999999999", 1661992959},
      {"12\0" "34"sv, 12},  // a text ends at its zero byte
      // full-width forms
      {"\xA3\xB1\xA3\xB2.5 GB", 12},
      {"\xA1\xA1" "42", 42},
      {"\xA3\xAD\xA3\xB7", -7},     // full-width minus, seven
      {"\xA3\xAB\xA1\xA1" "3", 0},  // the sign must be followed by a digit
      {"\xA1\xAB" "5", 0},          // tilde
      {"\xA1\xEE" "5", 0},          // hollow star
      {"\xA1\xEF" "5", 0},          // solid star
      // pairs that stay as they are end the number, and their second byte
      // is never read as a digit of its own
      {"\xA3\x35", 0},
      {"\xA3\xA0" "5", 0},
      {"\xA3\xFF" "5", 0},
      {"7\xB0\xA1" "5", 7},
      {"\x81" "5", 0},
      {"\xA3", 0},
      {"12\xA3", 12},
      {"12\xA3\0" "5"sv, 12},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToInt(c.text), c.value) << testing::PrintToString(std::string(c.text));
  }
}

// Every pair A3 A1..FE becomes the ASCII byte 0x21..0x7E and reads as that
// byte would.
TEST(TextToInt, FoldsEveryFullWidthPair) {
  for (int trail = 0xA1; trail <= 0xFE; ++trail) {
    const char ascii = static_cast<char>(trail - 0x80);
    const std::string folded = std::string("\xA3") + static_cast<char>(trail) + "5";
    const std::string plain = std::string(1, ascii) + "5";
    EXPECT_EQ(TextToInt(folded), TextToInt(plain)) << std::hex << trail;
  }
  EXPECT_EQ(TextToInt("\xA3\xB9\xA3\xB0\xA3\xB0"), 900);
}

TEST(JoinText, ConcatenatesIntoANewText) {
  const Text c("C");
  EXPECT_EQ(Str(JoinText("驱动器: ", c)), "驱动器: C");
  EXPECT_EQ(Str(JoinText(Text(), "x")), "x");
  EXPECT_EQ(Str(JoinText(Text(), Text())), "");
  EXPECT_EQ(Str(JoinText("")), "");
  EXPECT_EQ(Str(JoinText("chkdsk ", c, ":/f")), "chkdsk C:/f");
  EXPECT_EQ(Str(JoinText("12.3", " ", "GB", std::string_view())), "12.3 GB");

  using namespace std::string_view_literals;
  const Text joined = JoinText("ab\0cd"sv, "ef");
  EXPECT_EQ(Str(joined), "abef");
  EXPECT_EQ(joined.size(), std::char_traits<char>::length(joined.c_str()));
  EXPECT_EQ(Str(c), "C");  // arguments untouched
}

TEST(FormatTexts, ReleaseEverythingTheyTake) {
  const std::size_t before = LiveProgramBlocks();
  {
    const Text a = FormatNumberText(1234567.891, 150, true);
    const Text b = FormatIntegerText(17592186044416);
    const Text c = JoinText(a, b, a, b);
    EXPECT_EQ(c.size(), 2 * (a.size() + b.size()));
    EXPECT_GT(LiveProgramBlocks(), before);
  }
  EXPECT_EQ(LiveProgramBlocks(), before);
}

}  // namespace
