// The main window as a person sees it, checked from outside the program: the
// frame and its place on the screen, every control's parent, rectangle, text
// and visibility on both pages, the drive list against the drives of the Wine
// prefix, the exit codes, and pixels of the screen.
//
// The expected values are written here from the window's description and the
// platform's answers, never taken from the program's own form table, so that a
// wrong table is caught.
//
// The test stage maps these drives in the prefix before the run:
//   M: a fixed drive labelled "Kestrune M"     N: a fixed drive without label
//   O: a CD-ROM drive                          R: a removable drive
//   S: a network drive                         Q: a drive whose folder is missing
//   P: a fixed drive holding a copy of Kestrune.exe

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

#include "tests/window/driver.h"

namespace {

constexpr int kWindowWidth = 380;
constexpr int kWindowHeight = 500;

// Stands for the texts that the drive display writes: the volume label and
// the five figures. The display refresh has replaced the form's texts before
// the window is first shown; their values are checked in display_test.cpp.
const char* const kDriveFigure = "<drive figure>";

void ExpectDriveFigure(HWND control, ControlId id) {
  if (id == 编辑框1) return;  // the volume label, which may be empty
  EXPECT_NE(wt::Text(control), wt::Wide("标签")) << wt::Utf8(wt::Text(control));
}

// A GBK name from this file, readable in failure messages.
std::string Name(const char* gbk) { return wt::Utf8(wt::Wide(gbk)); }

enum Page { kBothPages = -1, kGeneral = 0, kTools = 1 };

struct ExpectedControl {
  ControlId id;
  const char* name;  // for messages
  ControlId parent;  // kMainWindowElement: the window itself
  Page page;
  int x, y, width, height;
  const char* text;  // GBK; null: not checked here; kDriveFigure: written by the display
};

// Every control of the window, in Order (1 on top of the stacking).
const ExpectedControl kControls[] = {
    {标签8, "标签8", 高级选择夹1, kTools, 8, 232, 360, 176, nullptr},  // text checked on its own
    {分组框2, "分组框2", 高级选择夹1, kTools, 8, 32, 360, 96, "查错"},
    {按钮_开始检查, "按钮_开始检查", 分组框2, kTools, 232, 56, 104, 24, "开始检查 (&C)..."},
    {标签7, "标签7", 分组框2, kTools, 64, 20, 152, 24, "该选项交将检查卷中错误。"},
    {图片框_硬盘图标2, "图片框_硬盘图标2", 分组框2, kTools, 16, 24, 32, 32, nullptr},
    {按钮_开始整理, "按钮_开始整理", 分组框1, kTools, 232, 56, 104, 24, "开始整理 (&D)..."},
    {标签6, "标签6", 分组框1, kTools, 64, 20, 152, 24, "该选项将整理卷中文件。"},
    {图片框_硬盘图标1, "图片框_硬盘图标1", 分组框1, kTools, 16, 24, 32, 32, nullptr},
    {分组框1, "分组框1", 高级选择夹1, kTools, 8, 128, 360, 96, "硬盘整理"},
    {分隔条3, "分隔条3", 高级选择夹1, kGeneral, 8, 88, 352, 1, nullptr},
    {分隔条2, "分隔条2", 高级选择夹1, kGeneral, 8, 181, 352, 1, nullptr},
    {分隔条1, "分隔条1", 高级选择夹1, kGeneral, 8, 368, 352, 1, nullptr},
    {标签4, "标签4", 高级选择夹1, kGeneral, 16, 116, 16, 16, ""},
    {标签5, "标签5", 高级选择夹1, kGeneral, 16, 149, 16, 16, ""},
    {标签_己用空间GB, "标签_己用空间GB", 高级选择夹1, kGeneral, 264, 112, 72, 24, kDriveFigure},
    {标签_可用空间GB, "标签_可用空间GB", 高级选择夹1, kGeneral, 264, 144, 72, 24, kDriveFigure},
    {按钮_取消, "按钮_取消", kMainWindowElement, kBothPages, 248, 432, 104, 24, "取消"},
    {按钮_确定, "按钮_确定", kMainWindowElement, kBothPages, 136, 432, 104, 24, "确定"},
    {按钮_硬盘清理, "按钮_硬盘清理", 高级选择夹1, kGeneral, 248, 390, 112, 24, "硬盘清理 (&D)"},
    // A drop-down list's window is as tall as its selection field.
    {驱动器框1, "驱动器框1", 高级选择夹1, kGeneral, 24, 392, 200, -1, nullptr},
    {饼形图控件1, "饼形图控件1", 高级选择夹1, kGeneral, 24, 237, 336, 144, nullptr},
    {标签_容量, "标签_容量", 高级选择夹1, kGeneral, 104, 200, 256, 24, kDriveFigure},
    {标签3, "标签3", 高级选择夹1, kGeneral, 24, 200, 64, 24, "容量:"},
    {标签_己用空间, "标签_己用空间", 高级选择夹1, kGeneral, 136, 112, 120, 24, kDriveFigure},
    {标签_可用空间, "标签_可用空间", 高级选择夹1, kGeneral, 136, 144, 120, 24, kDriveFigure},
    {标签2, "标签2", 高级选择夹1, kGeneral, 48, 112, 56, 24, "己用空间:"},
    {标签1, "标签1", 高级选择夹1, kGeneral, 48, 144, 56, 24, "可用空间:"},
    {编辑框1, "编辑框1", 高级选择夹1, kGeneral, 88, 48, 272, 24, kDriveFigure},
    {图片框_硬盘图标, "图片框_硬盘图标", 高级选择夹1, kGeneral, 24, 42, 32, 32, nullptr},
    {高级选择夹1, "高级选择夹1", kMainWindowElement, kBothPages, 0, 0, 376, 424, nullptr},
};

std::wstring Hex(ControlId id) {
  wchar_t text[16];
  swprintf(text, 16, L"%08X", id);
  return text;
}

// Checks which controls are shown while `page` is the selected page, once
// the program has finished showing and hiding them.
void ExpectPageShown(const wt::App& s, Page page) {
  wt::WaitUntil(
      [&] {
        for (const auto& c : kControls)
          if (wt::IsShown(s[c.id]) != (c.page == kBothPages || c.page == page)) return false;
        return true;
      },
      3000);
  for (const auto& c : kControls) {
    const bool shown = c.page == kBothPages || c.page == page;
    EXPECT_EQ(wt::IsShown(s[c.id]), shown) << Name(c.name) << " with page " << page << " selected";
  }
}

// A caption pixel in the blue of the selected tab; glyph edges are smoothed
// towards the button face.
bool IsBluish(COLORREF c) { return GetBValue(c) > 200 && GetBValue(c) - std::max(GetRValue(c), GetGValue(c)) >= 60; }

// The tab captions found on the screen, left to right, as the centres of the
// runs of caption-coloured columns in the tab row (y 2 to 22 of the
// container). Captions are black, blue when selected, red under the mouse;
// the tab faces and outlines are neither.
std::vector<POINT> TabCaptionCentres(HWND container) {
  // The part of the row inside the window's client area: the frame is not the tab strip.
  RECT client{};
  GetClientRect(GetAncestor(container, GA_ROOT), &client);
  MapWindowPoints(GetAncestor(container, GA_ROOT), container, reinterpret_cast<POINT*>(&client), 2);
  RECT row{0, 2, 0, 22};
  GetClientRect(container, &row);
  row = RECT{std::max<LONG>(row.left, client.left), 2, std::min<LONG>(row.right, client.right), 22};
  const POINT origin = wt::ScreenPoint(container, 0, 0);
  wt::ScreenCapture capture(RECT{origin.x + row.left, origin.y + row.top, origin.x + row.right, origin.y + row.bottom});
  auto isCaption = [](COLORREF c) {
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    return r + g + b < 240 || IsBluish(c) || (r > 200 && r - std::max(g, b) >= 60);
  };
  std::vector<POINT> centres;
  int runStart = -1, runEnd = -1;
  for (int x = row.left; x <= row.right; ++x) {
    bool hit = false;
    for (int y = row.top; x < row.right && y < row.bottom && !hit; ++y) {
      hit = isCaption(capture.Pixel(POINT{origin.x + x, origin.y + y}));
    }
    if (hit) {
      if (runStart < 0 || x - runEnd > 8) {
        if (runStart >= 0) centres.push_back(POINT{(runStart + runEnd) / 2, 12});
        runStart = x;
      }
      runEnd = x;
    }
  }
  if (runStart >= 0) centres.push_back(POINT{(runStart + runEnd) / 2, 12});
  return centres;
}

// Clicks the caption of tab `page` and waits until the page's controls show.
void SelectPage(const wt::App& s, Page page) {
  HWND container = s[高级选择夹1];
  wt::MoveMouse(wt::ScreenPoint(s.window, -40, -40));  // no hot tab while looking
  std::vector<POINT> tabs;
  ASSERT_TRUE(wt::WaitUntil([&] { return (tabs = TabCaptionCentres(container)).size() == 2; }, 3000))
      << "two tab captions expected in the tab row, found " << tabs.size();
  wt::Click(container, tabs[page].x, tabs[page].y);
  HWND probe = s[page == kTools ? 分组框2 : 编辑框1];
  ASSERT_TRUE(wt::WaitUntil([&] { return wt::IsShown(probe); }, 3000)) << "page " << page << " did not show";
}

TEST(MainWindow, FrameTitleAndCentredPlace) {
  wt::App s;
  ASSERT_STARTED(s);
  EXPECT_EQ(wt::ClassName(s.window), L"WTWindow");
  EXPECT_EQ(wt::Text(s.window), L"Kestrune1.0");

  // Centred with the full screen size, not the work area: (322, 134) on 1024 x 768.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
  EXPECT_EQ(wt::ScreenRect(s.window), (RECT{left, top, left + kWindowWidth, top + kWindowHeight}));
  if (GetSystemMetrics(SM_CXSCREEN) == 1024 && GetSystemMetrics(SM_CYSCREEN) == 768) {
    EXPECT_EQ(wt::ScreenRect(s.window), (RECT{322, 134, 702, 634}));
  }

  // Fixed frame with title bar and close button only; no owner, not topmost.
  const LONG style = wt::Style(s.window);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_CLIPCHILDREN);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP | WS_DISABLED));
  EXPECT_FALSE(IsIconic(s.window));
  EXPECT_FALSE(IsZoomed(s.window));
  // The system adds the window edge to every captioned window.
  EXPECT_EQ(wt::ExStyle(s.window) & ~WS_EX_WINDOWEDGE, 0) << std::hex << wt::ExStyle(s.window);
  EXPECT_EQ(GetWindow(s.window, GW_OWNER), nullptr);
  EXPECT_EQ(static_cast<UINT>(GetClassLongW(s.window, GCL_STYLE)), UINT{CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW});
}

TEST(MainWindow, ControlsOnPageGeneral) {
  wt::App s;
  ASSERT_STARTED(s);
  for (const auto& c : kControls) {
    SCOPED_TRACE(Name(c.name));
    HWND control = s[c.id];
    ASSERT_NE(control, nullptr);
    HWND parent = c.parent == kMainWindowElement ? s.window : s[c.parent];
    EXPECT_EQ(GetParent(control), parent);
    const RECT rect = wt::RectInParent(control);
    EXPECT_EQ(rect, (RECT{c.x, c.y, c.x + c.width, c.height < 0 ? rect.bottom : c.y + c.height}));
    if (c.text == kDriveFigure) {
      ExpectDriveFigure(control, c.id);
    } else if (c.text != nullptr) {
      EXPECT_EQ(wt::Text(control), wt::Wide(c.text)) << wt::Utf8(wt::Text(control));
    }
  }
  ExpectPageShown(s, kGeneral);
}

TEST(MainWindow, StackingFollowsTheFormOrder) {
  wt::App s;
  ASSERT_STARTED(s);
  // Within each parent the children lie top to bottom in ascending Order
  // (so 分隔条1 stays visible over the chart).
  for (ControlId parentId : {kMainWindowElement, 高级选择夹1, 分组框2, 分组框1}) {
    HWND parent = parentId == kMainWindowElement ? s.window : s[parentId];
    std::vector<std::wstring> expected, actual;
    for (const auto& c : kControls) {
      if (c.parent == parentId) expected.push_back(Hex(c.id));
    }
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      actual.push_back(Hex(static_cast<ControlId>(GetDlgCtrlID(child))));
    }
    EXPECT_EQ(actual, expected) << "children of " << std::hex << parentId;
  }
}

TEST(MainWindow, KindsAndLooksOfTheStandardControls) {
  wt::App s;
  ASSERT_STARTED(s);
  for (ControlId id : {按钮_开始检查, 按钮_开始整理, 按钮_取消, 按钮_确定, 按钮_硬盘清理}) {
    SCOPED_TRACE(wt::Utf8(Hex(id)));
    EXPECT_EQ(_wcsicmp(wt::ClassName(s[id]).c_str(), L"Button"), 0);
    EXPECT_EQ(wt::Style(s[id]) & BS_TYPEMASK, BS_PUSHBUTTON) << "a push button, none the default";
    EXPECT_TRUE(wt::Style(s[id]) & BS_MULTILINE);
  }
  for (ControlId id : {分组框2, 分组框1}) {
    EXPECT_EQ(_wcsicmp(wt::ClassName(s[id]).c_str(), L"Button"), 0);
    EXPECT_EQ(wt::Style(s[id]) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(wt::Style(s[id]) & BS_CENTER, BS_LEFT);
  }

  // The edit control takes WS_BORDER off its style and draws the border itself.
  const LONG edit = wt::Style(s[编辑框1]);
  EXPECT_EQ(_wcsicmp(wt::ClassName(s[编辑框1]).c_str(), L"Edit"), 0);
  EXPECT_TRUE(edit & ES_AUTOHSCROLL);
  EXPECT_FALSE(edit & (ES_MULTILINE | ES_READONLY | ES_PASSWORD | ES_UPPERCASE | ES_LOWERCASE | ES_NUMBER));

  const LONG combo = wt::Style(s[驱动器框1]);
  EXPECT_EQ(_wcsicmp(wt::ClassName(s[驱动器框1]).c_str(), L"ComboBox"), 0);
  EXPECT_EQ(combo & 3, CBS_DROPDOWNLIST);
  EXPECT_TRUE(combo & CBS_AUTOHSCROLL);
  EXPECT_FALSE(combo & (CBS_SORT | CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE));

  // Sunken colour keys; the text about the program in a raised-and-sunken frame.
  for (ControlId id : {标签4, 标签5}) EXPECT_TRUE(wt::ExStyle(s[id]) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(wt::ExStyle(s[标签8]) & (WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME), WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME);
  EXPECT_FALSE(wt::ExStyle(s[标签3]) & (WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE));
}

TEST(MainWindow, TextAboutTheProgram) {
  wt::App s;
  ASSERT_STARTED(s);
  const std::wstring text = wt::Text(s[标签8]);
  std::vector<std::wstring> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(L"\r\n", start);
    lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) break;
    start = end + 2;
  }
  ASSERT_EQ(lines.size(), 8u) << wt::Utf8(text);
  EXPECT_EQ(lines[0], wt::Wide("   软件说明:"));
  EXPECT_EQ(lines[1], L"");
  EXPECT_EQ(lines[2], L"");
  EXPECT_EQ(lines[3], wt::Wide("   本软件为绿色软件,请放心使用!"));
  EXPECT_EQ(lines[4], wt::Wide("   作者:     Ardelin"));
  const std::wstring qq = L"     QQ:     ";
  ASSERT_EQ(lines[5].substr(0, qq.size()), qq);
  const std::wstring number = lines[5].substr(qq.size());
  EXPECT_FALSE(number.empty());
  for (wchar_t digit : number) EXPECT_TRUE(digit >= L'0' && digit <= L'9') << wt::Utf8(lines[5]);
  EXPECT_EQ(lines[6], wt::Wide("   捐肋说明  如果你喜欢本软件,可以给作者的QQ上打点QQ币."));
  EXPECT_EQ(lines[7], L"   ");
}

TEST(MainWindow, ClickingTheTabsSwitchesPages) {
  wt::App s;
  ASSERT_STARTED(s);
  ASSERT_TRUE(wt::BringToFront(s.window));
  SelectPage(s, kTools);
  ExpectPageShown(s, kTools);
  // The page area the general page covered now shows the tools page's groups.
  EXPECT_EQ(wt::Text(s[按钮_开始检查]), wt::Wide("开始检查 (&C)..."));
  SelectPage(s, kGeneral);
  ExpectPageShown(s, kGeneral);
  EXPECT_EQ(s.program.Close(), 0u);
}

// The drive list as the platform describes the prefix's drives: the letter
// and ":", then the type's word, then for a fixed drive its label.
std::vector<std::wstring> ExpectedDriveItems() {
  std::vector<std::wstring> items;
  wchar_t roots[512] = L"";
  GetLogicalDriveStringsW(511, roots);
  for (const wchar_t* root = roots; *root != L'\0'; root += wcslen(root) + 1) {
    std::wstring item{static_cast<wchar_t>(std::towupper(root[0])), L':'};
    const UINT type = GetDriveTypeW(root);
    if (type == DRIVE_FIXED) item += wt::Wide(" （硬盘）");
    if (type == DRIVE_REMOTE) item += wt::Wide(" （网络驱动器）");
    if (type == DRIVE_CDROM) item += wt::Wide(" （光驱）");
    if (type == DRIVE_RAMDISK) item += wt::Wide(" （内存虚拟驱动器）");
    wchar_t label[MAX_PATH] = L"";
    if (type == DRIVE_FIXED && GetVolumeInformationW(root, label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0) &&
        label[0] != L'\0') {
      item += L" ";
      item += label;
    }
    items.push_back(item);
  }
  return items;
}

std::wstring DriveOf(const std::wstring& path) { return {static_cast<wchar_t>(std::towupper(path[0])), L':'}; }

TEST(MainWindow, DriveListShowsThePrefixDrives) {
  wt::App s;
  ASSERT_STARTED(s);
  const std::vector<std::wstring> items = wt::ComboItems(s[驱动器框1]);
  EXPECT_EQ(items, ExpectedDriveItems());

  // The test drives, each as the list must show it.
  const struct {
    const char* item;
  } kTestDrives[] = {
      {"M: （硬盘） Kestrune M"},  // fixed, labelled
      {"N: （硬盘）"},             // fixed, no label, no trailing space
      {"O: （光驱）"},
      {"R:"},  // removable: nothing after the letter
      {"S: （网络驱动器）"},
      {"P: （硬盘）"},
  };
  for (const auto& drive : kTestDrives) {
    const std::wstring item = wt::Wide(drive.item);
    EXPECT_TRUE(std::find(items.begin(), items.end(), item) != items.end()) << "missing " << wt::Utf8(item);
  }
  // A drive whose folder is gone, when the platform lists it, shows the bare letter.
  if (GetLogicalDrives() & (1u << ('Q' - 'A'))) {
    EXPECT_TRUE(std::find(items.begin(), items.end(), L"Q:") != items.end()) << "missing Q:";
  }

  // The selected drive is the one that holds the program file.
  const std::wstring selected = wt::ComboSelectedText(s[驱动器框1]);
  EXPECT_EQ(selected.substr(0, 2), DriveOf(wt::ProgramPath())) << wt::Utf8(selected);
}

TEST(MainWindow, SecondInstanceFromAnotherDriveSelectsThatDrive) {
  wt::App first;
  ASSERT_STARTED(first);
  // Started with a working folder on C:, as from a shortcut: the program file's
  // drive still wins.
  wt::StartOptions fromP;
  fromP.exe = L"P:\\Kestrune.exe";
  fromP.workingDir = L"C:\\";
  wt::App second(fromP);
  ASSERT_STARTED(second);
  EXPECT_NE(first.window, second.window);

  EXPECT_EQ(wt::ComboSelectedText(second[驱动器框1]), wt::Wide("P: （硬盘）"));
  EXPECT_EQ(wt::ComboSelectedText(first[驱动器框1]).substr(0, 2), DriveOf(wt::ProgramPath()));

  EXPECT_EQ(second.program.Close(), 0u);
  EXPECT_TRUE(first.program.running()) << "closing one instance ended the other";
  EXPECT_EQ(first.program.Close(), 0u);
}

TEST(MainWindow, EveryWayOfClosingExitsWithZero) {
  const struct {
    const char* how;
    void (*close)(HWND window);
  } kWays[] = {
      {"WM_CLOSE", [](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }},
      {"title bar close button", [](HWND w) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Alt+F4",
       [](HWND w) {
         if (wt::BringToFront(w)) wt::PressKey(VK_F4, {VK_MENU});
       }},
  };
  for (const auto& way : kWays) {
    SCOPED_TRACE(way.how);
    wt::App s;
    ASSERT_STARTED(s);
    way.close(s.window);
    EXPECT_EQ(s.program.WaitForExit(), 0u);
  }
}

TEST(MainWindow, FatalStartsShowAnErrorBoxAndExitWithMinusOne) {
  const struct {
    const wchar_t* fault;
    bool namesBytes;  // a refused memory request names the bytes asked for
  } kFaults[] = {
      {L"record-memory", true},
      {L"form", false},
  };
  for (const auto& fault : kFaults) {
    SCOPED_TRACE(wt::Utf8(fault.fault));
    wt::StartOptions options;
    options.exe = wt::TestProgramPath();
    options.env = {{L"KESTRUNE_FAULT", fault.fault}};
    wt::Program app(options);
    ASSERT_TRUE(app.started());
    HWND box = app.WaitForErrorBox();
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "the box has no owner window";
    // The box comes before any window of the program is shown.
    EXPECT_EQ(wt::FindTopWindow(app.pid(), L"WTWindow"), nullptr);
    const std::wstring message = wt::ErrorBoxText(box);
    EXPECT_FALSE(message.empty());
    if (fault.namesBytes) {
      EXPECT_NE(message.find_first_of(L"0123456789"), std::wstring::npos) << wt::Utf8(message);
    }
    wt::CloseErrorBox(box);
    EXPECT_EQ(app.WaitForExit(), 0xFFFFFFFFu);
  }
}

// What the screen shows of the general page, sampled at points that must hold
// (coordinates in the tab container's client area).
TEST(MainWindow, ScreenShowsColourKeysDividerLinesAndWhiteLabels) {
  wt::MoveMouse(POINT{0, 0});  // away from where the window opens: no hot tab
  wt::App s;
  ASSERT_STARTED(s);
  ASSERT_TRUE(wt::BringToFront(s.window));
  HWND page = s[高级选择夹1];

  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF white = RGB(255, 255, 255);
  struct Sample {
    int x, y;
    COLORREF colour;
    const char* what;
  };
  std::vector<Sample> samples = {
      {24, 124, RGB(0, 0, 255), "blue key (标签4)"},
      {24, 157, RGB(255, 0, 255), "magenta key (标签5)"},
      {4, 100, face, "page area"},
      {24 + 62, 201, white, "标签3, right end"},
      {104 + 254, 222, white, "标签_容量, bottom right"},
      {48 + 1, 112 + 1, white, "标签2, top left"},
      {22, 212, face, "left of 标签3"},
      {96, 212, face, "between 标签3 and 标签_容量"},
  };
  // Divider lines: one row in the shadow colour across the page, button face
  // around the upper two; the lowest stays visible across the chart.
  for (int x : {10, 100, 200, 358}) {
    samples.push_back({x, 88, shadow, "分隔条3"});
    samples.push_back({x, 181, shadow, "分隔条2"});
    samples.push_back({x, 368, shadow, "分隔条1 over the chart"});
  }
  for (int y : {87, 89, 180, 182}) samples.push_back({100, y, face, "beside a divider line"});

  // The tab captions: the selected one in blue, the other in black.
  auto hasBlue = [&](const wt::ScreenCapture& screen, POINT centre) {
    for (int x = centre.x - 12; x <= centre.x + 12; ++x) {
      for (int y = 2; y < 22; ++y) {
        if (IsBluish(screen.Pixel(wt::ScreenPoint(page, x, y)))) return true;
      }
    }
    return false;
  };
  auto matches = [&](const wt::ScreenCapture& screen, const Sample& sample) {
    return screen.Pixel(wt::ScreenPoint(page, sample.x, sample.y)) == sample.colour;
  };
  // Painting is asynchronous: wait until the whole picture holds, then report
  // each point that does not.
  std::vector<POINT> tabs;
  wt::WaitUntil(
      [&] {
        wt::ScreenCapture screen(wt::ScreenRect(s.window));
        tabs = TabCaptionCentres(page);
        return std::all_of(samples.begin(), samples.end(), [&](const Sample& x) { return matches(screen, x); }) &&
               tabs.size() == 2 && hasBlue(screen, tabs[0]) && !hasBlue(screen, tabs[1]);
      },
      5000);
  wt::ScreenCapture screen(wt::ScreenRect(s.window));
  for (const auto& sample : samples) {
    EXPECT_EQ(wt::ColourName(screen.Pixel(wt::ScreenPoint(page, sample.x, sample.y))), wt::ColourName(sample.colour))
        << Name(sample.what) << " at (" << sample.x << ", " << sample.y << ")";
  }
  // The keys sit inside a sunken edge.
  EXPECT_NE(screen.Pixel(wt::ScreenPoint(page, 16, 116)), RGB(0, 0, 255)) << "no edge around the blue key";
  ASSERT_EQ(tabs.size(), 2u);
  EXPECT_TRUE(hasBlue(screen, tabs[0])) << "the selected tab's caption is blue (red: still hot?)";
  EXPECT_FALSE(hasBlue(screen, tabs[1])) << "the other tab's caption is black";
}

}  // namespace
