#pragma once
// What the window shows for a drive record: every text of the drive display
// and the pie chart's two values with their unit. A pure function, so that
// the rules can be checked without a window.

#include <cstdint>

#include "drive/drive_info.h"
#include "drive/text.h"

// The chart's two items: used space in blue, free space in magenta.
inline constexpr const char* kUsedItemName = "己用空间";
inline constexpr const char* kFreeItemName = "可用空间";
inline constexpr std::uint32_t kUsedItemColour = 0xFF0000;
inline constexpr std::uint32_t kFreeItemColour = 0xFF00FF;

struct DriveDisplay {
  Text label;       // 编辑框1: the volume label
  Text title;       // the chart's title: "驱动器: " and the drive letter
  Text capacity;    // 标签_容量: bytes, " 字节    ", GB figure, " GB"
  Text usedBytes;   // 标签_己用空间: bytes and " 字节"
  Text usedSize;    // 标签_己用空间GB: GB or MB
  Text freeBytes;   // 标签_可用空间
  Text freeSize;    // 标签_可用空间GB
  double usedValue = 0;  // the chart's values, both in `unit`
  double freeValue = 0;
  const char* unit = "MB";
};

// The exact byte count of `kb` KiB with thousands separators.
Text BytesText(std::int64_t kb);
// `kb` KiB as GB with one decimal from 1000 MiB on (with a tolerance of
// 1e-7 MiB), below that as MB with one decimal.
Text SizeText(std::int64_t kb);

// The chart compares used and free space in one unit: whole MiB, or whole
// GiB for both when a MiB figure would pass the chart's largest value.
DriveDisplay MakeDriveDisplay(const DriveInfo& info);
