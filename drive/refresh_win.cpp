// Brings the drive display of the main window up to date for the drive the
// drive selector shows.
#include "drive/refresh_win.h"

#include "drive/display.h"
#include "drive/drive_info.h"
#include "ui/form.h"
#include "ui/piechart_win.h"
#include "ui/runtime_win.h"

namespace {

Text ReadSelectedDrive() { return ReadCurrentDrive(驱动器框1); }

void WriteChartItem(HWND chart, int index, const char* name, std::uint32_t colour, double value) {
  PieChartSetCurrentItem(chart, index);
  PieChartSetItemName(chart, name);
  PieChartSetItemColour(chart, colour);
  PieChartSetItemValue(chart, value);
}

}  // namespace

void RefreshDriveDisplay() {
  QueryDriveInfo(SystemDrivePlatform(), ReadSelectedDrive, *driveInfo);
  const DriveDisplay shown = MakeDriveDisplay(*driveInfo);
  WriteControlText(编辑框1, shown.label);
  WriteControlText(饼形图控件1, shown.title);
  WriteControlText(标签_容量, shown.capacity);
  WriteControlText(标签_己用空间, shown.usedBytes);
  WriteControlText(标签_己用空间GB, shown.usedSize);
  WriteControlText(标签_可用空间, shown.freeBytes);
  WriteControlText(标签_可用空间GB, shown.freeSize);

  HWND chart = ControlWindow(饼形图控件1);
  PieChartSetUnit(chart, shown.unit);
  WriteChartItem(chart, 0, kUsedItemName, kUsedItemColour, shown.usedValue);
  WriteChartItem(chart, 1, kFreeItemName, kFreeItemColour, shown.freeValue);
}
