#include "ui/flat_style_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "ui/gdi_win.h"

namespace {

int clicks = 0;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) ++clicks;
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// A shown top-level window with one control of every kind the style knows,
// and a label and an owner-drawn button, which keep their look.
class FlatStyle : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW cls{};
    cls.lpfnWndProc = TestWindowProc;
    cls.hInstance = ::GetModuleHandleW(nullptr);
    cls.lpszClassName = L"FlatStyleTest";
    cls.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    ::RegisterClassW(&cls);
    INITCOMMONCONTROLSEX init{sizeof init, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&init);
    main = ::CreateWindowExW(0, L"FlatStyleTest", L"flat", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 10, 10, 400,
                             300, nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(main, nullptr);
    button = Child(L"Button", L"&Start", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 100, 24);
    check = Child(L"Button", L"Check", BS_AUTOCHECKBOX, 10, 40, 100, 20);
    group = Child(L"Button", L"Group", BS_GROUPBOX, 120, 10, 150, 90);
    edit = ::CreateWindowExW(0, L"Edit", L"label", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 110,
                             150, 24, main, nullptr, nullptr, nullptr);
    combo = Child(L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 140, 150, 80);
    updown = Child(UPDOWN_CLASSW, L"", 0, 170, 110, 16, 24);
    label = Child(L"Static", L"label", SS_LEFT, 10, 200, 100, 20);
    ownerDrawn = Child(L"Button", L"", BS_OWNERDRAW, 120, 200, 40, 20);
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"C:"));
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"D:"));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ::GetComboBoxInfo(combo, &info);
    comboList = info.hwndList;
    ::ShowWindow(main, SW_SHOW);
    ::UpdateWindow(main);
  }

  void TearDown() override {
    VisualStyleOff();
    ::DestroyWindow(main);
  }

  HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h) {
    return ::CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, main, nullptr, nullptr,
                             nullptr);
  }

  std::vector<HWND> Restylable() const { return {button, check, group, edit, combo, comboList, updown}; }

  HWND main = nullptr, button = nullptr, check = nullptr, group = nullptr, edit = nullptr, combo = nullptr,
       comboList = nullptr, updown = nullptr, label = nullptr, ownerDrawn = nullptr;
};

LONG_PTR ProcOf(HWND window) { return ::GetWindowLongPtrW(window, GWLP_WNDPROC); }

TEST_F(FlatStyle, RestylesExistingControlsAndGivesTheirProceduresBack) {
  ASSERT_NE(comboList, nullptr);
  std::vector<LONG_PTR> before;
  for (HWND w : Restylable()) before.push_back(ProcOf(w));
  const LONG_PTR labelProc = ProcOf(label);

  VisualStyleOn(1);
  const std::vector<HWND> windows = Restylable();
  for (std::size_t i = 0; i < windows.size(); ++i) {
    EXPECT_TRUE(HasFlatStyle(windows[i])) << i;
    EXPECT_NE(ProcOf(windows[i]), before[i]) << i;
  }
  EXPECT_FALSE(HasFlatStyle(label));
  EXPECT_FALSE(HasFlatStyle(ownerDrawn));
  EXPECT_FALSE(HasFlatStyle(main));
  EXPECT_EQ(ProcOf(label), labelProc);

  VisualStyleOn(1);  // on again: off first, then on, never twice
  VisualStyleOff();
  for (std::size_t i = 0; i < windows.size(); ++i) {
    EXPECT_FALSE(HasFlatStyle(windows[i]));
    EXPECT_EQ(ProcOf(windows[i]), before[i]) << i;
  }
}

TEST_F(FlatStyle, FollowsWindowsCreatedLaterUntilSwitchedOff) {
  VisualStyleOn(1);
  HWND later = Child(L"Button", L"later", BS_PUSHBUTTON, 10, 230, 80, 24);
  HWND laterEdit = Child(L"Edit", L"", WS_BORDER, 100, 230, 80, 24);
  EXPECT_TRUE(HasFlatStyle(later));
  EXPECT_TRUE(HasFlatStyle(laterEdit));

  ::DestroyWindow(later);  // gives its procedure back as it goes
  EXPECT_FALSE(HasFlatStyle(later));

  VisualStyleOff();
  HWND afterOff = Child(L"Button", L"off", BS_PUSHBUTTON, 200, 230, 80, 24);
  EXPECT_FALSE(HasFlatStyle(afterOff));
  VisualStyleOn(0);  // style 0 is the system's look
  EXPECT_FALSE(HasFlatStyle(button));
}

TEST_F(FlatStyle, ControlsKeepWorking) {
  VisualStyleOn(1);
  clicks = 0;
  ::SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  ::SendMessageW(check, BM_CLICK, 0, 0);
  EXPECT_EQ(::SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);

  ::SetFocus(edit);
  EXPECT_EQ(::GetFocus(), edit);
  ::SendMessageW(edit, EM_SETSEL, 5, 5);
  ::SendMessageW(edit, WM_CHAR, L'x', 0);
  wchar_t text[16] = {};
  ::GetWindowTextW(edit, text, 16);
  EXPECT_STREQ(text, L"labelx");

  ::SendMessageW(combo, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
  ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_TRUE(::IsWindowVisible(comboList));
  ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_FALSE(::IsWindowVisible(comboList));

  ::EnableWindow(button, FALSE);
  EXPECT_FALSE(::IsWindowEnabled(button));
}

// The control's client area as drawn through WM_PRINTCLIENT.
class Capture {
 public:
  explicit Capture(HWND window) : screen_(nullptr) {
    ::GetClientRect(window, &rect_);
    bitmap_.reset(::CreateCompatibleBitmap(screen_.get(), rect_.right, rect_.bottom));
    dc_.reset(::CreateCompatibleDC(screen_.get()));
    const Selection selected(dc_.get(), bitmap_.get());
    ::FillRect(dc_.get(), &rect_, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()), PRF_CLIENT);
  }
  COLORREF At(int x, int y) const {
    const Selection selected(dc_.get(), bitmap_.get());
    return ::GetPixel(dc_.get(), x, y);
  }
  const RECT& rect() const { return rect_; }

 private:
  WindowDc screen_;
  RECT rect_{};
  OwnedBitmap bitmap_;
  OwnedMemoryDc dc_;
};

TEST_F(FlatStyle, DrawsTheBlueBorder) {
  VisualStyleOn(1);
  const Capture pushed(button);
  const int h = pushed.rect().bottom;
  const int w = pushed.rect().right;
  EXPECT_EQ(pushed.At(0, h / 2), kFlatBorderColour);
  EXPECT_EQ(pushed.At(w - 1, h / 2), kFlatBorderColour);
  EXPECT_EQ(pushed.At(w / 2, 0), kFlatBorderColour);
  EXPECT_EQ(pushed.At(w / 2, h - 1), kFlatBorderColour);
  const COLORREF face = pushed.At(2, 2);
  EXPECT_NE(face, kFlatBorderColour);
  EXPECT_EQ(pushed.At(w - 3, h - 3), face);  // flat: no 3-D shading

  const Capture frame(group);
  EXPECT_EQ(frame.At(0, frame.rect().bottom - 5), kFlatBorderColour);
  EXPECT_EQ(frame.At(frame.rect().right / 2, frame.rect().bottom - 1), kFlatBorderColour);

  const Capture field(combo);
  EXPECT_EQ(field.At(0, field.rect().bottom / 2), kFlatBorderColour);
  EXPECT_EQ(field.At(field.rect().right - 1, field.rect().bottom / 2), kFlatBorderColour);

  VisualStyleOff();
  const Capture system(button);
  EXPECT_NE(system.At(0, h / 2), kFlatBorderColour);
}

}  // namespace
