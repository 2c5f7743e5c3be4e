// The program's own work for one drive change, without the platform: the
// display's texts and chart values from a drive record, and the pie chart's
// layout, slices, faces and legend texts. Prints the mean time of one change
// in microseconds ("display_work_us"). Platform-free: built natively and for
// the target (run under Wine) by make bench.
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <iterator>

#include "drive/display.h"
#include "drive/drive_info.h"
#include "ui/pie_geometry.h"

namespace {

// Drives of every shape the display distinguishes: small and large, in MB and
// GB, full and empty, failed queries, past 2 TiB.
constexpr std::int64_t kRecords[][2] = {
    {104857600, 52428800}, {1023999, 1000},  {1024000, 1023999}, {2147483647, 7},
    {8589934592, 1},       {-1, -1},         {0, 0},             {5242880, 5242880},
};

// Keeps the results alive so that the work is not optimised away.
std::size_t sink = 0;

void OneChange(DriveInfo& record, std::size_t n) {
  record.totalKb = kRecords[n % std::size(kRecords)][0];
  record.freeKb = kRecords[n % std::size(kRecords)][1];
  record.usedKb = record.totalKb - record.freeKb;
  const DriveDisplay shown = MakeDriveDisplay(record);

  const double values[] = {shown.usedValue, shown.freeValue};
  const PieLayout layout = LayoutPieChart(336, 144, 13, 110, 2);
  const std::vector<PieSlice> slices = PieSlices(values);
  for (const PieSlice& slice : slices) {
    sink += TopFace(layout.pie, slice).size() + SideFace(layout.pie, layout.thickness, slice).size();
  }
  sink += SideFaceOrder(slices).size();
  const double sum = values[0] + values[1];
  sink += LegendUnitText(shown.unit).size() + LegendItemText(kUsedItemName, values[0], sum).size() +
          LegendItemText(kFreeItemName, values[1], sum).size();
  sink += shown.capacity.size() + shown.usedBytes.size() + shown.freeSize.size() + shown.title.size();
}

}  // namespace

int main() {
  DriveInfo record;
  record.volumeLabel = "Data";
  record.driveText = "C";
  constexpr std::size_t kWarm = 2000;
  constexpr std::size_t kRuns = 50000;
  for (std::size_t n = 0; n < kWarm; ++n) OneChange(record, n);
  // std::clock: processor time here, elapsed time on Windows; either is the
  // loop's own time on an otherwise idle core. (<chrono> is left out: its
  // "µs" has no GBK form.)
  const std::clock_t start = std::clock();
  for (std::size_t n = 0; n < kRuns; ++n) OneChange(record, n);
  const double spentUs = static_cast<double>(std::clock() - start) * 1e6 / CLOCKS_PER_SEC;
  std::printf("display_work_us %.2f\n", spentUs / kRuns);
  return sink == 0 ? 1 : 0;
}
