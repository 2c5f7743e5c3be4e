#include "drive/display.h"

#include <cmath>

#include "drive/format.h"

namespace {

constexpr double kKbPerMb = 1024.0;
constexpr double kKbPerGb = 1048576.0;
// The largest value the pie chart takes.
constexpr double kLargestChartValue = 10'000'000.0;

// Whole units of `kb` KiB; nothing for a negative count.
double WholeUnits(std::int64_t kb, double kbPerUnit) {
  return kb > 0 ? std::floor(static_cast<double>(kb) / kbPerUnit) : 0.0;
}

}  // namespace

Text BytesText(std::int64_t kb) { return FormatIntegerText(kb * 1024, true); }

Text SizeText(std::int64_t kb) {
  const double k = static_cast<double>(kb);
  if (k / kKbPerMb - 1000.0 >= -1e-7) return JoinText(FormatNumberText(k / kKbPerGb, 1), " GB");
  return JoinText(FormatNumberText(k / kKbPerMb, 1), " MB");
}

DriveDisplay MakeDriveDisplay(const DriveInfo& info) {
  DriveDisplay d;
  d.label = info.volumeLabel;
  d.title = JoinText("驱动器: ", info.driveText);
  d.capacity = JoinText(BytesText(info.totalKb), " 字节    ",
                        FormatNumberText(static_cast<double>(info.totalKb) / kKbPerGb, 1), " GB");
  d.usedBytes = JoinText(BytesText(info.usedKb), " 字节");
  d.usedSize = SizeText(info.usedKb);
  d.freeBytes = JoinText(BytesText(info.freeKb), " 字节");
  d.freeSize = SizeText(info.freeKb);

  d.usedValue = WholeUnits(info.usedKb, kKbPerMb);
  d.freeValue = WholeUnits(info.freeKb, kKbPerMb);
  if (d.usedValue > kLargestChartValue || d.freeValue > kLargestChartValue) {
    d.usedValue = WholeUnits(info.usedKb, kKbPerGb);
    d.freeValue = WholeUnits(info.freeKb, kKbPerGb);
    d.unit = "GB";
  }
  return d;
}
