#include "drive/display.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t kMiB = 1024;     // in KiB
constexpr std::int64_t kGiB = 1048576;  // in KiB

DriveInfo Drive(std::int64_t totalKb, std::int64_t freeKb, const char* letter = "C", const char* label = "") {
  DriveInfo info;
  info.volumeLabel = label;
  info.totalKb = totalKb;
  info.freeKb = freeKb;
  info.usedKb = totalKb - freeKb;
  info.driveText = letter;
  return info;
}

TEST(SizeText, SwitchesToGbAtOneThousandMiB) {
  struct Case {
    std::int64_t kb;
    const char* text;
  };
  const Case cases[] = {
      {1024000, "1.0 GB"},       // exactly 1000 MiB
      {1023999, "1000.0 MB"},    // one KiB less
      {1023949, "1000.0 MB"},    // 999.95 MiB and a little: rounds up, stays MB
      {1023948, "999.9 MB"},
      {0, "0.0 MB"},
      {512, "0.5 MB"},
      {52743373, "50.3 GB"},
      {819200, "800.0 MB"},
      {20 * 1024 * kGiB, "20480.0 GB"},
  };
  for (const Case& c : cases) EXPECT_EQ(SizeText(c.kb), c.text) << c.kb;
}

TEST(BytesText, IsTheExactByteCount) {
  EXPECT_EQ(BytesText(0), "0");
  EXPECT_EQ(BytesText(1), "1,024");
  EXPECT_EQ(BytesText(104857600), "107,374,182,400");
  EXPECT_EQ(BytesText(16 * 1024 * kGiB), "17,592,186,044,416");  // 16 TiB: past 13 digits
}

TEST(DriveDisplay, TextsOfAnOrdinaryDrive) {
  const DriveDisplay d = MakeDriveDisplay(Drive(100 * kGiB, 60 * kGiB + 512, "D", "DATA"));
  EXPECT_EQ(d.label, "DATA");
  EXPECT_EQ(d.title, "驱动器: D");
  EXPECT_EQ(d.capacity, "107,374,182,400 字节    100.0 GB");
  EXPECT_EQ(d.usedBytes, "42,949,148,672 字节");
  EXPECT_EQ(d.usedSize, "40.0 GB");
  EXPECT_EQ(d.freeBytes, "64,425,033,728 字节");
  EXPECT_EQ(d.freeSize, "60.0 GB");
  EXPECT_EQ(d.usedValue, 40959);  // whole MiB
  EXPECT_EQ(d.freeValue, 61440);
  EXPECT_STREQ(d.unit, "MB");
}

TEST(DriveDisplay, ChartValuesShareOneUnit) {
  struct Case {
    std::int64_t usedKb, freeKb;
    double used, free;
    const char* unit;
  };
  const Case cases[] = {
      // Nearly full: 50.3 GB used, 800.0 MB free compare as MiB.
      {52743373, 800 * kMiB, 51507, 800, "MB"},
      {kMiB - 1, 5 * kMiB + 1023, 0, 5, "MB"},  // whole MiB, rounded down
      {0, 0, 0, 0, "MB"},
      // Up to the chart's largest value MiB are kept; past it both are GiB.
      {10000000 * kMiB, kMiB, 10000000, 1, "MB"},
      {10000001 * kMiB, kMiB, 9765, 0, "GB"},
      {12 * 1024 * kGiB, 4 * 1024 * kGiB, 12288, 4096, "GB"},  // 16 TiB drive
      {kGiB, 20 * 1024 * kGiB - kGiB, 1, 20479, "GB"},            // 20 TiB drive
  };
  for (const Case& c : cases) {
    const DriveDisplay d = MakeDriveDisplay(Drive(c.usedKb + c.freeKb, c.freeKb));
    EXPECT_EQ(d.usedValue, c.used) << c.usedKb;
    EXPECT_EQ(d.freeValue, c.free) << c.freeKb;
    EXPECT_STREQ(d.unit, c.unit) << c.usedKb;
  }
}

TEST(DriveDisplay, SixteenTiBDriveShowsExactBytes) {
  const DriveDisplay d = MakeDriveDisplay(Drive(16 * 1024 * kGiB, 4 * 1024 * kGiB));
  EXPECT_EQ(d.capacity, "17,592,186,044,416 字节    16384.0 GB");
  EXPECT_EQ(d.usedBytes, "13,194,139,533,312 字节");
  EXPECT_EQ(d.usedSize, "12288.0 GB");
  EXPECT_EQ(d.freeBytes, "4,398,046,511,104 字节");
  EXPECT_EQ(d.freeSize, "4096.0 GB");
}

TEST(DriveDisplay, FailedQueryShowsZerosAndAnEmptyChart) {
  const DriveDisplay d = MakeDriveDisplay(Drive(0, 0, "Q"));
  EXPECT_EQ(d.label, "");
  EXPECT_EQ(d.title, "驱动器: Q");
  EXPECT_EQ(d.capacity, "0 字节    0.0 GB");
  EXPECT_EQ(d.usedBytes, "0 字节");
  EXPECT_EQ(d.usedSize, "0.0 MB");
  EXPECT_EQ(d.freeBytes, "0 字节");
  EXPECT_EQ(d.freeSize, "0.0 MB");
  EXPECT_EQ(d.usedValue + d.freeValue, 0);
}

TEST(DriveDisplay, NegativeSizesNeverGiveNegativeChartValues) {
  const DriveDisplay d = MakeDriveDisplay(Drive(-1, -1));
  EXPECT_EQ(d.freeSize, "0.0 MB");
  EXPECT_EQ(d.freeBytes, "-1,024 字节");
  EXPECT_EQ(d.usedValue, 0);
  EXPECT_EQ(d.freeValue, 0);
}

}  // namespace
