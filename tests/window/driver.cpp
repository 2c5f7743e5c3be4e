#include "tests/window/driver.h"

#include <cstdio>
#include <map>

namespace wt {
namespace {

constexpr UINT kGbk = 936;
constexpr UINT kMessageTimeoutMs = 5000;

// Owns the screen DC for one scope.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_ != nullptr) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// Owns a memory DC and keeps one bitmap selected into it for one scope.
class MemoryDc {
 public:
  MemoryDc(HDC like, HBITMAP bitmap) : dc_(CreateCompatibleDC(like)), old_(SelectObject(dc_, bitmap)) {}
  ~MemoryDc() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A message to another process's window that cannot hang the test.
LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result) == 0) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

std::wstring Directory(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// The driver's environment with `additions` added or replaced, as a
// double-zero-terminated UTF-16 block. Names compare without case, as the
// system compares them.
std::wstring EnvironmentBlock(const std::vector<std::pair<std::wstring, std::wstring>>& additions) {
  std::map<std::wstring, std::wstring> entries;  // upper-cased name -> "name=value"
  auto upper = [](std::wstring name) {
    CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    return name;
  };
  if (wchar_t* strings = GetEnvironmentStringsW()) {
    for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
      const std::wstring line(entry);
      // Entries such as "=C:=C:\" begin with "=": keep the name whole.
      const auto equals = line.find(L'=', 1);
      entries[upper(line.substr(0, equals))] = line;
    }
    FreeEnvironmentStringsW(strings);
  }
  for (const auto& [name, value] : additions) entries[upper(name)] = name + L"=" + value;
  std::wstring block;
  for (const auto& entry : entries) {
    block += entry.second;
    block += L'\0';
  }
  block += L'\0';
  return block;
}

struct TopWindowSearch {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<TopWindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->pid) search->found.push_back(window);
  return TRUE;
}

struct ControlSearch {
  ControlId id;
  HWND found;
};

BOOL CALLBACK MatchControl(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ControlSearch*>(context);
  if (static_cast<ControlId>(GetDlgCtrlID(window)) != search->id) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK CollectStaticText(HWND window, LPARAM context) {
  auto* text = reinterpret_cast<std::wstring*>(context);
  if (_wcsicmp(ClassName(window).c_str(), L"Static") != 0) return TRUE;
  const std::wstring line = Text(window);
  if (line.empty()) return TRUE;
  if (!text->empty()) *text += L'\n';
  *text += line;
  return TRUE;
}


void SendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, 0));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

}  // namespace

// A button event at `screen`. The event carries its point, so that a pointer
// position the display reports late (from an earlier move) cannot send the
// press or release elsewhere.
void SendMouse(DWORD flags, POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

// --- Texts -------------------------------------------------------------------

std::wstring Wide(std::string_view gbk) {
  if (gbk.empty()) return {};
  const int size = static_cast<int>(gbk.size());
  const int length = MultiByteToWideChar(kGbk, 0, gbk.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kGbk, 0, gbk.data(), size, wide.data(), length);
  return wide;
}

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

// --- The program -------------------------------------------------------------

std::wstring BuildDir() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return Directory(std::wstring(path, length));
}

std::wstring ProgramPath() { return BuildDir() + L"\\Kestrune.exe"; }
std::wstring TestProgramPath() { return BuildDir() + L"\\KestruneTest.exe"; }

Program::Program(const StartOptions& options) {
  std::wstring commandLine = L"\"" + options.exe + L"\"";
  std::wstring environment = EnvironmentBlock(options.env);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(options.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                      environment.data(), options.workingDir.empty() ? nullptr : options.workingDir.c_str(),
                      &startup, &info_)) {
    info_ = {};
    return;
  }
  CloseHandle(info_.hThread);
  info_.hThread = nullptr;
}

Program::~Program() {
  if (!started()) return;
  if (running()) {
    Close(3000);
    if (running()) {
      // An error box or a hung program: end it so that nothing outlives the test.
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, 3000);
    }
  }
  CloseHandle(info_.hProcess);
}

bool Program::running() const { return started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

HWND Program::WaitForMainWindow(DWORD timeoutMs) {
  HWND window = nullptr;
  WaitUntil(
      [&] {
        window = FindTopWindow(pid(), L"WTWindow", L"Kestrune1.0");
        return window != nullptr || !running();
      },
      timeoutMs);
  return window;
}

HWND Program::WaitForErrorBox(DWORD timeoutMs) {
  HWND box = nullptr;
  WaitUntil(
      [&] {
        box = FindTopWindow(pid(), L"#32770");
        return box != nullptr || !running();
      },
      timeoutMs);
  return box;
}

std::optional<DWORD> Program::WaitForExit(DWORD timeoutMs) {
  if (!started() || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

std::optional<DWORD> Program::Close(DWORD timeoutMs) {
  if (HWND window = FindTopWindow(pid(), L"WTWindow")) PostMessageW(window, WM_CLOSE, 0, 0);
  return WaitForExit(timeoutMs);
}

App::App(const StartOptions& options) : program(options) {
  if (program.started()) window = program.WaitForMainWindow();
}

HWND App::operator[](ControlId id) const { return window == nullptr ? nullptr : FindControl(window, id); }

std::vector<HWND> TopWindows(DWORD pid) {
  TopWindowSearch search{pid, {}};
  EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopWindow(DWORD pid, const wchar_t* className, const wchar_t* title) {
  for (HWND window : TopWindows(pid)) {
    if (!IsWindowVisible(window) || ClassName(window) != className) continue;
    if (title != nullptr) {
      wchar_t caption[256] = L"";
      InternalGetWindowText(window, caption, 256);
      if (wcscmp(caption, title) != 0) continue;
    }
    return window;
  }
  return nullptr;
}

// --- Controls ----------------------------------------------------------------

HWND FindControl(HWND root, ControlId id) {
  ControlSearch search{id, nullptr};
  EnumChildWindows(root, MatchControl, reinterpret_cast<LPARAM>(&search));  // all descendants
  return search.found;
}

std::wstring Text(HWND window) {
  const LRESULT length = SendBounded(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendBounded(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = L"";
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

RECT ScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT RectInParent(HWND window) {
  RECT rect = ScreenRect(window);
  if (HWND parent = GetAncestor(window, GA_PARENT); parent != nullptr && parent != GetDesktopWindow()) {
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

POINT ScreenPoint(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return point;
}

bool IsShown(HWND window) { return IsWindowVisible(window) != FALSE; }
LONG Style(HWND window) { return GetWindowLongW(window, GWL_STYLE); }
LONG ExStyle(HWND window) { return GetWindowLongW(window, GWL_EXSTYLE); }

std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  const LRESULT count = SendBounded(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendBounded(combo, CB_GETLBTEXTLEN, i, 0);
    std::wstring item(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, L'\0');
    const LRESULT copied = SendBounded(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    item.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    items.push_back(std::move(item));
  }
  return items;
}

int ComboSelection(HWND combo) { return static_cast<int>(SendBounded(combo, CB_GETCURSEL, 0, 0)); }

std::wstring ComboSelectedText(HWND combo) {
  const int selection = ComboSelection(combo);
  const auto items = ComboItems(combo);
  return selection >= 0 && selection < static_cast<int>(items.size()) ? items[selection] : std::wstring();
}

// --- Error boxes -------------------------------------------------------------

std::wstring ErrorBoxText(HWND box) {
  std::wstring text;
  EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
  return text;
}

void CloseErrorBox(HWND box) { PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

// --- Real input --------------------------------------------------------------

bool BringToFront(HWND window) {
  SetForegroundWindow(window);
  return WaitUntil([&] { return GetForegroundWindow() == window; }, 2000);
}

void MoveMouse(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  WaitUntil(
      [&] {
        POINT now{};
        GetCursorPos(&now);
        return now.x == screen.x && now.y == screen.y;
      },
      1000);
}

void ClickAt(POINT screen) {
  MoveMouse(screen);
  SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
  SendMouse(MOUSEEVENTF_LEFTUP, screen);
}

void Click(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  Click(window, client.right / 2, client.bottom / 2);
}

void Click(HWND window, int x, int y) { ClickAt(ScreenPoint(window, x, y)); }

void PressKey(WORD key, std::initializer_list<WORD> modifiers) {
  for (WORD modifier : modifiers) SendKey(modifier, false);
  SendKey(key, false);
  SendKey(key, true);
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) SendKey(*it, true);
}

// --- Pixels ------------------------------------------------------------------

ScreenCapture::ScreenCapture(const RECT& screen) : rect_(screen) {
  const int width = screen.right - screen.left;
  const int height = screen.bottom - screen.top;
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  ScreenDc screenDc;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(screenDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap_ == nullptr) return;
  {
    MemoryDc memory(screenDc.get(), bitmap_);
    if (!BitBlt(memory.get(), 0, 0, width, height, screenDc.get(), screen.left, screen.top, SRCCOPY)) return;
  }
  GdiFlush();
  bits_ = static_cast<const DWORD*>(bits);
}

ScreenCapture::~ScreenCapture() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

COLORREF ScreenCapture::Pixel(POINT screen) const {
  if (bits_ == nullptr || screen.x < rect_.left || screen.x >= rect_.right || screen.y < rect_.top ||
      screen.y >= rect_.bottom) {
    return CLR_INVALID;
  }
  const DWORD pixel = bits_[(screen.y - rect_.top) * (rect_.right - rect_.left) + (screen.x - rect_.left)];
  // The DIB holds 0x00RRGGBB; colours are 0x00BBGGRR.
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

COLORREF ScreenPixel(POINT screen) {
  ScreenCapture capture(RECT{screen.x, screen.y, screen.x + 1, screen.y + 1});
  return capture.Pixel(screen);
}

std::string ColourName(COLORREF colour) {
  if (colour == CLR_INVALID) return "(none)";
  char name[8];
  std::snprintf(name, sizeof name, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return name;
}

}  // namespace wt
