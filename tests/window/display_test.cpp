// The drive display as a person sees it: every figure of page "常规" and the
// pie chart for the drive shown at start-up and for drives chosen in the
// drive selector, the chart's pixels, and the icons. The expected texts are
// made here from the platform's own answers by the display rules written out
// afresh, not by the program's code.
//
// The stage maps the drives named in KESTRUNE_DISPLAY_DRIVES (letters, e.g.
// "T W X Q": tmpfs drives of exact sizes and one that is never ready); the
// cases that need them are skipped without it.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "tests/window/driver.h"
#include "ui/piechart_messages.h"

namespace {

// --- The display rules, written out for the test -----------------------------

std::string Grouped(std::int64_t value) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  std::string grouped = value < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped.push_back(',');
    grouped.push_back(digits[i]);
  }
  return grouped;
}

// One decimal, halves away from zero.
std::string OneDecimal(double value) {
  const double tenths = std::floor(std::fabs(value) * 10 + 0.5 + 1e-9);
  char text[64];
  std::snprintf(text, sizeof text, "%s%.1f", value < 0 && tenths > 0 ? "-" : "", tenths / 10);
  return text;
}

std::string SizeOf(std::int64_t kb) {
  const double mib = static_cast<double>(kb) / 1024;
  return mib - 1000 >= -1e-7 ? OneDecimal(mib / 1024) + " GB" : OneDecimal(mib) + " MB";
}

struct Expected {
  std::wstring label, capacity, used, usedSize, free, freeSize, title, unit;
  long usedValue = 0, freeValue = 0;
};

// The platform's sizes of a drive in KiB; zeros when it is not ready.
std::pair<std::int64_t, std::int64_t> SpaceOf(wchar_t letter) {
  const wchar_t root[] = {letter, L':', L'\\', 0};
  ULARGE_INTEGER available{}, total{}, totalFree{};
  if (!GetDiskFreeSpaceExW(root, &available, &total, &totalFree)) return {0, 0};
  return {static_cast<std::int64_t>(total.QuadPart >> 10), static_cast<std::int64_t>(available.QuadPart >> 10)};
}

Expected ExpectedFor(wchar_t letter, std::int64_t totalKb, std::int64_t freeKb) {
  const wchar_t root[] = {letter, L':', L'\\', 0};
  const std::int64_t usedKb = totalKb - freeKb;
  wchar_t label[MAX_PATH + 1] = {};
  if (!GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) label[0] = 0;

  Expected e;
  e.label = label;
  e.title = wt::Wide("驱动器: ") + std::wstring(1, letter);
  e.capacity = wt::Wide(Grouped(totalKb * 1024) + " 字节    " + OneDecimal(totalKb / 1048576.0) + " GB");
  e.used = wt::Wide(Grouped(usedKb * 1024) + " 字节");
  e.usedSize = wt::Wide(SizeOf(usedKb));
  e.free = wt::Wide(Grouped(freeKb * 1024) + " 字节");
  e.freeSize = wt::Wide(SizeOf(freeKb));
  // The chart compares both in whole MiB, or in whole GiB past its largest
  // value of 10,000,000.
  e.usedValue = static_cast<long>(usedKb / 1024);
  e.freeValue = static_cast<long>(freeKb / 1024);
  e.unit = L"MB";
  if (e.usedValue > 10000000 || e.freeValue > 10000000) {
    e.usedValue = static_cast<long>(usedKb / 1048576);
    e.freeValue = static_cast<long>(freeKb / 1048576);
    e.unit = L"GB";
  }
  return e;
}

Expected ExpectedFor(wchar_t letter) {
  const auto [totalKb, freeKb] = SpaceOf(letter);
  return ExpectedFor(letter, totalKb, freeKb);
}

// The whole number in a text such as "1,234 字节".
std::int64_t NumberIn(const std::wstring& text) {
  std::int64_t value = 0;
  for (wchar_t c : text) {
    if (c == L' ') break;
    if (c >= L'0' && c <= L'9') value = value * 10 + (c - L'0');
  }
  return value;
}

// --- Reading the chart from outside ------------------------------------------

std::string Bytes(HWND chart, UINT message, WPARAM item, bool itemBytes) {
  std::string text;
  for (int i = 0; i < 256; ++i) {
    const LRESULT b = itemBytes ? SendMessageW(chart, message, item, i) : SendMessageW(chart, message, i, 0);
    if (b < 0) break;
    text.push_back(static_cast<char>(b));
  }
  return text;
}

void ExpectDisplay(HWND window, const Expected& e, const std::string& where) {
  SCOPED_TRACE(where);
  EXPECT_EQ(wt::Text(wt::FindControl(window, 编辑框1)), e.label);
  EXPECT_EQ(wt::Text(wt::FindControl(window, 标签_容量)), e.capacity) << wt::Utf8(e.capacity);
  EXPECT_EQ(wt::Text(wt::FindControl(window, 标签_己用空间)), e.used) << wt::Utf8(e.used);
  EXPECT_EQ(wt::Text(wt::FindControl(window, 标签_己用空间GB)), e.usedSize) << wt::Utf8(e.usedSize);
  EXPECT_EQ(wt::Text(wt::FindControl(window, 标签_可用空间)), e.free) << wt::Utf8(e.free);
  EXPECT_EQ(wt::Text(wt::FindControl(window, 标签_可用空间GB)), e.freeSize) << wt::Utf8(e.freeSize);

  HWND chart = wt::FindControl(window, 饼形图控件1);
  EXPECT_EQ(wt::Text(chart), e.title);
  ASSERT_EQ(SendMessageW(chart, kPieGetItemCount, 0, 0), 2);
  EXPECT_EQ(wt::Wide(Bytes(chart, kPieGetItemNameByte, 0, true)), wt::Wide("己用空间"));
  EXPECT_EQ(wt::Wide(Bytes(chart, kPieGetItemNameByte, 1, true)), wt::Wide("可用空间"));
  EXPECT_EQ(SendMessageW(chart, kPieGetItemColour, 0, 0), 0xFF0000);
  EXPECT_EQ(SendMessageW(chart, kPieGetItemColour, 1, 0), 0xFF00FF);
  EXPECT_EQ(SendMessageW(chart, kPieGetItemValue, 0, 0), e.usedValue);
  EXPECT_EQ(SendMessageW(chart, kPieGetItemValue, 1, 0), e.freeValue);
  EXPECT_EQ(wt::Wide(Bytes(chart, kPieGetUnitByte, 0, false)), e.unit);
}

wchar_t SelectedLetter(HWND window) {
  const std::wstring text = wt::ComboSelectedText(wt::FindControl(window, 驱动器框1));
  return text.empty() ? L'?' : text[0];
}

// Opens the drive list with the mouse and clicks the drive's item.
bool ChooseDrive(const wt::Program& app, HWND window, wchar_t letter) {
  HWND combo = wt::FindControl(window, 驱动器框1);
  const auto items = wt::ComboItems(combo);
  int index = -1;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (!items[i].empty() && items[i][0] == letter) index = static_cast<int>(i);
  if (index < 0 || !wt::BringToFront(window)) return false;
  wt::Click(combo);
  HWND list = nullptr;
  wt::WaitUntil([&] {
    for (HWND top : wt::TopWindows(app.pid()))
      if (wt::ClassName(top) == L"ComboLBox" && IsWindowVisible(top)) list = top;
    return list != nullptr;
  });
  if (list == nullptr) return false;
  SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
  const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
  const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  wt::Click(list, 10, (index - top) * height + height / 2);
  return wt::WaitUntil([&] { return SelectedLetter(window) == letter && !IsWindowVisible(list); });
}

std::vector<wchar_t> TestDrives() {
  std::vector<wchar_t> letters;
  if (const char* names = std::getenv("KESTRUNE_DISPLAY_DRIVES"))
    for (const char* p = names; *p; ++p)
      if (*p >= 'A' && *p <= 'Z') letters.push_back(static_cast<wchar_t>(*p));
  return letters;
}

TEST(DriveDisplay, FilledBeforeTheWindowIsFirstShown) {
  wt::Program app;
  HWND window = app.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  // Read at once on the first sight of the window: never the form's texts.
  for (ControlId id : {标签_容量, 标签_己用空间, 标签_己用空间GB, 标签_可用空间, 标签_可用空间GB})
    EXPECT_NE(wt::Text(wt::FindControl(window, id)), wt::Wide("标签"));
  // The start-up drive is in use: its free space may change between the
  // program's query and the test's. The figures must agree with the free
  // space the window shows and with the platform's capacity.
  const wchar_t letter = SelectedLetter(window);
  const auto [totalKb, freeKbNow] = SpaceOf(letter);
  const std::int64_t freeKb = NumberIn(wt::Text(wt::FindControl(window, 标签_可用空间))) / 1024;
  EXPECT_NEAR(static_cast<double>(freeKb), static_cast<double>(freeKbNow), 0.01 * static_cast<double>(totalKb));
  ExpectDisplay(window, ExpectedFor(letter, totalKb, freeKb), "start-up drive");
  EXPECT_EQ(app.Close(), 0u);
}

TEST(DriveDisplay, ChoosingDrivesRefreshesTheDisplay) {
  const std::vector<wchar_t> letters = TestDrives();
  if (letters.empty()) GTEST_SKIP() << "no test drives mapped";
  wt::Program app;
  HWND window = app.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  for (wchar_t letter : letters) {
    ASSERT_TRUE(ChooseDrive(app, window, letter)) << static_cast<char>(letter);
    const Expected e = ExpectedFor(letter);
    wt::WaitUntil([&] { return wt::Text(wt::FindControl(window, 饼形图控件1)) == e.title; });
    ExpectDisplay(window, e, std::string("drive ") + static_cast<char>(letter));
  }
  EXPECT_EQ(app.Close(), 0u);
}

// Pixels of the chart and of the icon beside the label.
TEST(DriveDisplay, ChartAndIconOnTheScreen) {
  wt::Program app;
  HWND window = app.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(wt::BringToFront(window));
  const Expected e = ExpectedFor(SelectedLetter(window));
  HWND chart = wt::FindControl(window, 饼形图控件1);
  const RECT area = wt::ScreenRect(chart);
  const auto side = [](COLORREF c) {  // the darker edge: (c + 10) / 2 per channel
    return RGB((GetRValue(c) + 10) / 2, (GetGValue(c) + 10) / 2, (GetBValue(c) + 10) / 2);
  };
  long blue = 0, magenta = 0, blueSide = 0, magentaSide = 0;
  wt::WaitUntil([&] {
    const wt::ScreenCapture shot(area);
    blue = magenta = blueSide = magentaSide = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) {
        const COLORREF c = shot.Pixel({x, y});
        blue += c == 0xFF0000;
        magenta += c == 0xFF00FF;
        blueSide += c == side(0xFF0000);
        magentaSide += c == side(0xFF00FF);
      }
    return blue + magenta > 1000;
  });
  const double total = static_cast<double>(e.usedValue + e.freeValue);
  ASSERT_GT(total, 0);
  const double usedShare = e.usedValue / total;
  // Top faces: the areas of the slices follow the shares.
  EXPECT_NEAR(static_cast<double>(blue) / static_cast<double>(blue + magenta), usedShare, 0.08);
  if (usedShare > 0.02) {
    EXPECT_GT(blue, 0);
  }
  if (usedShare < 0.98) {
    EXPECT_GT(magenta, 0);
  }
  EXPECT_GT(blueSide + magentaSide, 0) << "the pie's edge in the darker shades";

  const wt::ScreenCapture shot(area);
  // White background in the corners; the divider line across the chart, 131
  // pixels below its top.
  EXPECT_EQ(shot.Pixel({area.left + 2, area.top + 2}), RGB(255, 255, 255));
  EXPECT_EQ(shot.Pixel({area.right - 3, area.bottom - 3}), RGB(255, 255, 255));
  EXPECT_EQ(shot.Pixel({area.left + 2, area.top + 131}), GetSysColor(COLOR_BTNSHADOW));
  // The used slice starts at nine o'clock and runs clockwise over the top:
  // with most of the drive used, the pie's top centre is blue.
  if (usedShare > 0.3) {
    long topBlue = 0;
    for (int y = area.top + 20; y < area.top + 60; ++y) topBlue += shot.Pixel({area.left + 100, y}) == 0xFF0000;
    EXPECT_GT(topBlue, 0);
  }

  // The icon beside the volume label: a picture, not the empty box.
  const RECT iconArea = wt::ScreenRect(wt::FindControl(window, 图片框_硬盘图标));
  const wt::ScreenCapture icon(iconArea);
  long white = 0, other = 0;
  for (int y = iconArea.top; y < iconArea.bottom; ++y)
    for (int x = iconArea.left; x < iconArea.right; ++x) {
      const COLORREF c = icon.Pixel({x, y});
      white += c == RGB(255, 255, 255);
      other += c != RGB(255, 255, 255) && c != GetSysColor(COLOR_BTNFACE);
    }
  EXPECT_GT(white, 0) << "the icon is drawn on white";
  EXPECT_GT(other, 32) << "the icon itself";
  EXPECT_EQ(app.Close(), 0u);
}

}  // namespace
