// The window built from the form, inside this process: controls with their
// identifiers, parents, places and stacking; pages; the events raised and
// their order; the property operations; the destroy request.
#include <gtest/gtest.h>

#include <ole2.h>

#include <vector>

#include "ui/drive_list.h"
#include "ui/runtime_win.h"
#include "ui/text_win.h"

namespace {

struct Raised {
  Handler handler;
  bool windowVisible;
  Text currentDrive;
};
std::vector<Raised> raised;
void (*onEvent)(Handler handler) = nullptr;

void Record(Handler handler) {
  raised.push_back({handler, IsWindowVisible(MainWindow()) != FALSE, ReadCurrentDrive(驱动器框1)});
  if (onEvent != nullptr) onEvent(handler);
}

// Runs what is queued without waiting for more.
void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

COLORREF PixelOf(HWND control, int x, int y) {
  RECT client;
  GetClientRect(control, &client);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  const COLORREF pixel = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixel;
}

// One window serves the tests in turn (hiding a window costs Wine seconds
// without a window manager); a test that destroys it gets a new one next.
class RuntimeWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { OleInitialize(nullptr); }
  static void TearDownTestSuite() {
    RequestWindowDestroy(kMainWindowId, true);
    Pump();
    SetEventDispatcher(nullptr);
    RegisterExitCallback(nullptr);
    OleUninitialize();
  }
  void SetUp() override {
    onEvent = nullptr;
    SetEventDispatcher(Record);
    if (MainWindow() == nullptr) LoadStartupWindow(kMainWindowId);
    ASSERT_NE(MainWindow(), nullptr);
    ClickTab(0);
    Pump();
    raised.clear();  // creation complete is checked on its own
  }
  static void ClickTab(int page) {
    // The tabs of 宋体 12 px captions of two characters are about 40 px wide.
    const int x = page == 0 ? 20 : 62;
    SendMessageW(ControlWindow(高级选择夹1), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 12));
    SendMessageW(ControlWindow(高级选择夹1), WM_LBUTTONUP, 0, MAKELPARAM(x, 12));
  }
  static bool Visible(ControlId id) { return IsWindowVisible(ControlWindow(id)) != FALSE; }
};

TEST_F(RuntimeWindow, CreationCompleteRunsOnceWhileTheWindowIsHidden) {
  RequestWindowDestroy(kMainWindowId, true);
  LoadStartupWindow(kMainWindowId);
  ASSERT_EQ(raised.size(), 1u);
  EXPECT_EQ(raised[0].handler, Handler::OnMainWindowCreated);
  EXPECT_FALSE(raised[0].windowVisible);
  EXPECT_TRUE(IsWindowVisible(MainWindow()));
  EXPECT_FALSE(IsIconic(MainWindow()) || IsZoomed(MainWindow()));
}

TEST_F(RuntimeWindow, WindowIsCentredAndExactlySized) {
  RECT frame;
  GetWindowRect(MainWindow(), &frame);
  EXPECT_EQ(frame.right - frame.left, 380);
  EXPECT_EQ(frame.bottom - frame.top, 500);
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 380) / 2);
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - 500) / 2);
  const LONG style = GetWindowLongW(MainWindow(), GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN), WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  wchar_t className[32] = {};
  GetClassNameW(MainWindow(), className, 32);
  EXPECT_STREQ(className, L"WTWindow");
  EXPECT_EQ(WindowTextAsText(MainWindow()), "Kestrune1.0");
}

TEST_F(RuntimeWindow, ControlsCarryTheFormsIdentifiersParentsAndPlaces) {
  for (const ControlSpec& spec : MainFormControls()) {
    HWND control = ControlWindow(spec.id);
    ASSERT_NE(control, nullptr) << spec.name;
    EXPECT_EQ(static_cast<ControlId>(GetDlgCtrlID(control)), spec.id) << spec.name;
    const HWND parent = spec.parent == kMainWindowElement ? MainWindow() : ControlWindow(spec.parent);
    EXPECT_EQ(GetParent(control), parent) << spec.name;
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, spec.x) << spec.name;
    EXPECT_EQ(rect.top, spec.y) << spec.name;
    EXPECT_EQ(rect.right - rect.left, spec.width) << spec.name;
    if (spec.kind != ControlKind::DriverBox) {
      EXPECT_EQ(rect.bottom - rect.top, spec.height) << spec.name;
    }
  }
}

TEST_F(RuntimeWindow, SiblingsAreStackedWithOrderOneOnTop) {
  for (HWND parent : {MainWindow(), ControlWindow(高级选择夹1), ControlWindow(分组框1), ControlWindow(分组框2)}) {
    int previousOrder = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      const ControlSpec* spec = FindControl(static_cast<ControlId>(GetDlgCtrlID(child)));
      ASSERT_NE(spec, nullptr);
      EXPECT_GT(spec->order, previousOrder) << spec->name;
      previousOrder = spec->order;
    }
  }
}

TEST_F(RuntimeWindow, PagesShowTheirControlsAndMoveTheFocus) {
  auto expectPage = [](int page) {
    for (const ControlSpec& spec : MainFormControls()) {
      const int controlPage = PageOf(spec);
      EXPECT_EQ(Visible(spec.id), controlPage == kNoPage || controlPage == page) << spec.name << " page " << page;
    }
  };
  expectPage(0);
  SetFocus(ControlWindow(按钮_确定));
  ClickTab(1);
  expectPage(1);
  EXPECT_EQ(GetFocus(), ControlWindow(按钮_确定));  // no control of the page's own takes it
  ClickTab(0);
  expectPage(0);
  EXPECT_EQ(GetFocus(), ControlWindow(分隔条3));
  ClickTab(0);  // the selected tab again: nothing changes
  expectPage(0);
  EXPECT_TRUE(raised.empty());
}

TEST_F(RuntimeWindow, ButtonsRaiseTheirBoundEventsWhereverTheirParentIs) {
  ClickTab(1);
  const struct {
    ControlId id;
    Handler handler;
  } buttons[] = {{按钮_开始检查, Handler::OnCheckDiskClicked}, {按钮_开始整理, Handler::OnDefragClicked},
                 {按钮_确定, Handler::OnOkClicked},            {按钮_取消, Handler::OnCancelClicked}};
  for (const auto& button : buttons) {
    raised.clear();
    SendMessageW(ControlWindow(button.id), BM_CLICK, 0, 0);
    ASSERT_EQ(raised.size(), 1u) << FindControl(button.id)->name;
    EXPECT_EQ(raised[0].handler, button.handler);
  }
  ClickTab(0);
  raised.clear();
  SendMessageW(ControlWindow(按钮_硬盘清理), BM_CLICK, 0, 0);
  ASSERT_EQ(raised.size(), 1u);
  EXPECT_EQ(raised[0].handler, Handler::OnDiskCleanupClicked);
}

TEST_F(RuntimeWindow, DriveSelectorStoresAConfirmedChoiceBeforeRaising) {
  HWND box = ControlWindow(驱动器框1);
  wchar_t directory[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, directory);
  const char current = CurrentDriveLetter(TextFromWide(directory));
  EXPECT_EQ(ReadCurrentDrive(驱动器框1), Text(1, current));

  // The list: one item per drive, each with its letter; the current one selected.
  const LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
  ASSERT_GE(count, 2) << "the prefix has at least C: and Z:";
  const LRESULT selected = SendMessageW(box, CB_GETCURSEL, 0, 0);
  ASSERT_NE(selected, CB_ERR);
  EXPECT_EQ(SendMessageW(box, CB_GETITEMDATA, selected, 0), static_cast<unsigned char>(current));
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t item[128] = {};
    SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(item[0], static_cast<wchar_t>(SendMessageW(box, CB_GETITEMDATA, i, 0)));
    EXPECT_EQ(item[1], L':');
    EXPECT_NE(item[lstrlenW(item) - 1], L' ');
  }

  // Moving the selection without confirming changes nothing; confirming stores
  // the letter, then raises (also for the drive already stored).
  const LRESULT other = selected == 0 ? 1 : 0;
  const char otherLetter = static_cast<char>(SendMessageW(box, CB_GETITEMDATA, other, 0));
  SendMessageW(box, CB_SETCURSEL, other, 0);
  EXPECT_EQ(ReadCurrentDrive(驱动器框1), Text(1, current));
  EXPECT_TRUE(raised.empty());
  for (int confirmations = 1; confirmations <= 2; ++confirmations) {
    SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box) & 0xFFFF, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(box));
    ASSERT_EQ(raised.size(), static_cast<std::size_t>(confirmations));
    EXPECT_EQ(raised.back().handler, Handler::OnDriveSelectionChanged);
    EXPECT_EQ(raised.back().currentDrive, Text(1, otherLetter));
  }
  SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box) & 0xFFFF, CBN_SELENDCANCEL),
               reinterpret_cast<LPARAM>(box));
  EXPECT_EQ(raised.size(), 2u);
}

TEST_F(RuntimeWindow, TextsRoundTripThroughTheControls) {
  const Text texts[] = {"", "驱动器: C", "数据盘 Data", "107,374,182,400 字节    100.0 GB"};
  for (ControlId id : {编辑框1, 标签_容量, 按钮_确定, 饼形图控件1}) {
    for (const Text& text : texts) {
      WriteControlText(id, text);
      EXPECT_EQ(ReadControlText(id), text) << FindControl(id)->name;
    }
  }
  EXPECT_EQ(ReadControlText(标签3), "容量:");
}

TEST_F(RuntimeWindow, EditBoxLineIsCentredInTheBox) {
  HWND box = ControlWindow(编辑框1);
  RECT client;
  GetClientRect(box, &client);
  HDC dc = GetDC(box);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(box, dc);
  EXPECT_EQ(client.bottom, metrics.tmHeight);
  POINT origin{0, 0};
  MapWindowPoints(box, GetParent(box), &origin, 1);
  const int above = origin.y - 48;
  const int below = 48 + 24 - (origin.y + client.bottom);
  EXPECT_LE(above - below, 1);
  EXPECT_GE(above - below, -1);
}

TEST_F(RuntimeWindow, ControlsPaintTheirColours) {
  EXPECT_EQ(PixelOf(ControlWindow(标签4), 4, 4), RGB(0, 0, 255));
  EXPECT_EQ(PixelOf(ControlWindow(标签5), 4, 4), RGB(255, 0, 255));
  EXPECT_EQ(PixelOf(ControlWindow(标签_容量), 250, 2), RGB(255, 255, 255));
  EXPECT_EQ(PixelOf(ControlWindow(饼形图控件1), 330, 140), RGB(255, 255, 255));
  EXPECT_EQ(PixelOf(ControlWindow(分隔条1), 100, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(PixelOf(ControlWindow(图片框_硬盘图标), 16, 16), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(PixelOf(ControlWindow(分组框1), 180, 90), RGB(255, 255, 255) & 0xFFFFFF);
}

// A bottom-up 24-bit BMP of `width` × `height`, every pixel `rgb` except the
// top-left one, which is `corner`.
std::vector<std::uint8_t> Bmp(int width, int height, COLORREF rgb, COLORREF corner) {
  const int stride = (width * 3 + 3) & ~3;
  const std::uint32_t size = 54 + static_cast<std::uint32_t>(stride * height);
  std::vector<std::uint8_t> b(size, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  b[26] = 1;
  b[28] = 24;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = (x == 0 && y == height - 1) ? corner : rgb;
      const std::size_t at = 54 + static_cast<std::size_t>(y * stride + x * 3);
      b[at] = GetBValue(c);
      b[at + 1] = GetGValue(c);
      b[at + 2] = GetRValue(c);
    }
  }
  return b;
}

TEST_F(RuntimeWindow, PictureIsStretchedToTheBoxOrCleared) {
  HWND box = ControlWindow(图片框_硬盘图标);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  WritePicture(图片框_硬盘图标, Bmp(2, 2, RGB(255, 0, 0), RGB(0, 0, 255)));
  EXPECT_EQ(PixelOf(box, 31, 31), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(box, 2, 2), RGB(0, 0, 255));  // one source pixel covers a quarter
  EXPECT_EQ(PixelOf(box, 14, 14), RGB(0, 0, 255));

  const std::vector<std::uint8_t> garbage = {'N', 'O', 'T', 'A', 'P', 'I', 'C', 0, 1, 2};
  const std::vector<std::uint8_t> truncated = {'B', 'M', 0x36, 0, 0, 0};
  for (const auto& bytes : {garbage, truncated, std::vector<std::uint8_t>()}) {
    WritePicture(图片框_硬盘图标, Bmp(32, 32, RGB(0, 128, 0), RGB(0, 128, 0)));
    EXPECT_EQ(PixelOf(box, 16, 16), RGB(0, 128, 0));
    WritePicture(图片框_硬盘图标, bytes);
    EXPECT_EQ(PixelOf(box, 16, 16), face);
  }
}

TEST_F(RuntimeWindow, DestroyRequestsWaitForTheHandlerAndDestroyOnce) {
  static bool existedAfterRequest;
  existedAfterRequest = false;
  onEvent = [](Handler handler) {
    if (handler != Handler::OnCancelClicked) return;
    RequestWindowDestroy(kMainWindowId);
    RequestWindowDestroy(kMainWindowId);
    existedAfterRequest = MainWindow() != nullptr;
  };
  static int exits;
  exits = 0;
  RegisterExitCallback([] { ++exits; });
  SendMessageW(ControlWindow(按钮_取消), BM_CLICK, 0, 0);
  EXPECT_TRUE(existedAfterRequest);
  EXPECT_NE(MainWindow(), nullptr);
  EXPECT_EQ(RunMessageLoop(), 0);  // the loop ends when the window is gone
  EXPECT_EQ(MainWindow(), nullptr);
  EXPECT_EQ(RunMessageLoop(), 0);  // and returns at once without a window
  RunExitCleanup();
  RunExitCleanup();
  EXPECT_EQ(exits, 1);
}

TEST_F(RuntimeWindow, CloseDestroysAtOnce) {
  SendMessageW(MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(MainWindow(), nullptr);
}

}  // namespace
