#pragma once
// The window-test driver: starts the program as its own process, finds its
// windows and controls and checks from outside what a person would see, and
// gives it real input. Everything here works across processes: texts are read
// with WM_GETTEXT (marshalled by the system), geometry with the window
// manager's own calls, pixels from the screen.
//
// A case reads like this:
//   wt::App app;                           // Kestrune.exe beside this driver
//   ASSERT_STARTED(app);                   // its main window is shown
//   EXPECT_EQ(wt::Text(app[标签3]), wt::Wide("容量:"));
//   EXPECT_EQ(app.program.Close(), 0u);    // exit code after WM_CLOSE

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/form.h"

namespace wt {

inline constexpr DWORD kTimeoutMs = 10000;

// --- Texts -------------------------------------------------------------------
// UTF-16 of a GBK text from the source (code page 936, whatever the ANSI code
// page of the machine).
std::wstring Wide(std::string_view gbk);
// UTF-8 of a UTF-16 text, for readable failure messages.
std::string Utf8(std::wstring_view text);

// --- Waiting -----------------------------------------------------------------
// Polls `condition` every 10 ms until it holds or `timeoutMs` has passed;
// the result of the last evaluation.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kTimeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return condition();
    Sleep(10);
  }
}

// --- The program -------------------------------------------------------------
// The folder of this driver; the build puts the program files beside it.
std::wstring BuildDir();
std::wstring ProgramPath();      // Kestrune.exe
std::wstring TestProgramPath();  // KestruneTest.exe (takes KESTRUNE_FAULT)

struct StartOptions {
  std::wstring exe = ProgramPath();
  std::wstring workingDir;  // empty: the driver's own
  std::vector<std::pair<std::wstring, std::wstring>> env;  // added or replaced
};

// One started program. A test that leaves it running has it closed (WM_CLOSE,
// then terminated after a bounded wait) when the object goes, so no process
// outlives its test.
class Program {
 public:
  explicit Program(const StartOptions& options = {});
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  DWORD pid() const { return info_.dwProcessId; }
  bool running() const;

  // The visible main window of this process (class "WTWindow", title
  // "Kestrune1.0"), or null when it has not appeared within the time.
  HWND WaitForMainWindow(DWORD timeoutMs = kTimeoutMs);
  // The visible error box (class #32770) of this process, or null.
  HWND WaitForErrorBox(DWORD timeoutMs = kTimeoutMs);
  // The exit code once the process has ended, or nothing after the time.
  std::optional<DWORD> WaitForExit(DWORD timeoutMs = kTimeoutMs);
  // Posts WM_CLOSE to the main window and waits for the exit code.
  std::optional<DWORD> Close(DWORD timeoutMs = kTimeoutMs);

 private:
  PROCESS_INFORMATION info_{};
};

// A started program with its main window: the usual start of a case.
//   wt::App app;
//   ASSERT_STARTED(app);
//   HWND label = app[标签3];
struct App {
  Program program;
  HWND window = nullptr;  // null when no main window appeared in time
  explicit App(const StartOptions& options = {});
  // The main window's control with that identifier, or null.
  HWND operator[](ControlId id) const;
};

#define ASSERT_STARTED(app)                                                       \
  ASSERT_TRUE((app).program.started()) << "the program could not be started"; \
  ASSERT_NE((app).window, nullptr) << "the program showed no main window"

// A visible top-level window of the process with that class (and title, when
// given), or null.
HWND FindTopWindow(DWORD pid, const wchar_t* className, const wchar_t* title = nullptr);
// Every top-level window of the process, visible or not.
std::vector<HWND> TopWindows(DWORD pid);

// --- Controls ----------------------------------------------------------------
// The descendant of `root` whose control identifier is `id`, or null.
HWND FindControl(HWND root, ControlId id);
// The window's text through WM_GETTEXT (a label's caption, an edit box's
// content, a button's caption).
std::wstring Text(HWND window);
std::wstring ClassName(HWND window);
// The window rectangle in the client coordinates of its parent (of the screen
// for a top-level window).
RECT RectInParent(HWND window);
RECT ScreenRect(HWND window);
// A point of the window's client area in screen coordinates.
POINT ScreenPoint(HWND window, int x, int y);
bool IsShown(HWND window);  // visible, with every ancestor
LONG Style(HWND window);
LONG ExStyle(HWND window);

// Drop-down list: the item texts in list order, the selected index (-1 for
// none), and the selected text (empty for none).
std::vector<std::wstring> ComboItems(HWND combo);
int ComboSelection(HWND combo);
std::wstring ComboSelectedText(HWND combo);

// --- Error boxes -------------------------------------------------------------
// The message of a message box: the texts of its static controls, joined by
// new lines.
std::wstring ErrorBoxText(HWND box);
// Presses the box's OK button.
void CloseErrorBox(HWND box);

// --- Real input --------------------------------------------------------------
// Makes the window the foreground window (keys go there); true on success.
bool BringToFront(HWND window);
void MoveMouse(POINT screen);
// A mouse event at `screen` (MOUSEEVENTF_* button flags, or 0 for a move
// alone). The event carries its point, so that a pointer position the display
// reports late cannot send a press or release elsewhere.
void SendMouse(DWORD flags, POINT screen);
// Left click at a screen point.
void ClickAt(POINT screen);
// Left click at a point of the window's client area (its centre by default).
void Click(HWND window);
void Click(HWND window, int x, int y);
// Presses and releases `key`, holding `modifiers` (VK_MENU, VK_CONTROL,
// VK_SHIFT) around it, into the foreground window.
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});

// --- Pixels ------------------------------------------------------------------
// A copy of part of the screen, taken at construction.
class ScreenCapture {
 public:
  explicit ScreenCapture(const RECT& screen);
  ~ScreenCapture();
  ScreenCapture(const ScreenCapture&) = delete;
  ScreenCapture& operator=(const ScreenCapture&) = delete;

  bool valid() const { return bits_ != nullptr; }
  // The colour (0x00BBGGRR) at a screen point inside the captured rectangle;
  // CLR_INVALID outside it.
  COLORREF Pixel(POINT screen) const;

 private:
  RECT rect_{};
  HBITMAP bitmap_ = nullptr;
  const DWORD* bits_ = nullptr;
};

COLORREF ScreenPixel(POINT screen);
// "#RRGGBB", for failure messages.
std::string ColourName(COLORREF colour);

}  // namespace wt

// Readable rectangles in test output.
inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* out) {
  *out << "(" << r.left << ", " << r.top << ") " << (r.right - r.left) << " x " << (r.bottom - r.top);
}
