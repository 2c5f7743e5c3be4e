// The window runtime: builds the main window from its form, raises the
// form's events, runs the message loop and carries the program from start-up
// to its exit code.
#include "ui/runtime_win.h"

#include <ole2.h>

#include "ui/controls_win.h"
#include "ui/gdi_win.h"
#include "ui/keyboard_win.h"
#include "ui/test_hooks_win.h"
#include "ui/test_messages_win.h"
#include "ui/text_win.h"

namespace {

constexpr wchar_t kWindowClass[] = L"WTWindow";
// Posted by RequestWindowDestroy; destroys the window when it is marked.
constexpr UINT kDestroyRequest = WM_APP + 1;

struct Runtime {
  void (*exitCallback)() = nullptr;
  void (*dispatch)(Handler handler) = nullptr;
  bool (*keyFilter)(MSG& msg) = nullptr;
  bool oleStarted = false;
  bool loopEntered = false;
  bool destroyMarked = false;
  HWND window = nullptr;
  OwnedIcon bigIcon;
  OwnedIcon smallIcon;
};
Runtime runtime;

void Raise(Handler handler) {
  if (handler != Handler::None && runtime.dispatch != nullptr) runtime.dispatch(handler);
}

// The window's own area is button face; the controls paint themselves.
void PaintContent(HWND window, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

void OnPaint(HWND window) {
  PaintDc paint(window);
  if (IsRectEmpty(&paint.paint().rcPaint)) return;
  BufferedPaint buffer(paint.get(), paint.paint().rcPaint);
  PaintContent(window, buffer.dc());
}

void OnNcDestroy() {
  runtime.window = nullptr;
  runtime.destroyMarked = false;
  runtime.bigIcon.reset();
  runtime.smallIcon.reset();
  if (runtime.loopEntered) PostQuitMessage(0);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT relayed = 0; RelayChildMessage(message, wParam, lParam, relayed)) return relayed;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_PRINTCLIENT:
      PaintContent(window, reinterpret_cast<HDC>(wParam));
      return 0;
    case kDestroyRequest:
      if (runtime.destroyMarked) {
        runtime.destroyMarked = false;
        DestroyWindow(window);
      }
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy();
      break;
    default:
#ifdef KESTRUNE_TEST_BUILD
      if (LRESULT answer = 0; AnswerTestMessage(window, message, wParam, lParam, answer)) return answer;
#endif
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterWindowClass() {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kWindowClass, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);  // a resource number, no text
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = kWindowClass;
  return RegisterClassExW(&wc) != 0;
}

void SetWindowIcons(HWND window) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  runtime.bigIcon.reset(static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
  runtime.smallIcon.reset(
      static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(runtime.bigIcon.get()));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(runtime.smallIcon.get()));
}

HWND CreateControl(const ControlSpec& spec, HWND parent) {
  switch (spec.kind) {
    case ControlKind::Label: return CreateLabel(spec, parent);
    case ControlKind::GroupBox: return CreateGroupBox(spec, parent);
    case ControlKind::Button: return CreateButton(spec, parent);
    case ControlKind::EditBox: return CreateEditBox(spec, parent);
    case ControlKind::DriverBox: return CreateDriverBox(spec, parent);
    case ControlKind::PicBox: return CreatePicBox(spec, parent);
    case ControlKind::SplitterBar: return CreateSplitterBar(spec, parent);
    case ControlKind::PageControl: return CreatePageControl(spec, parent);
    case ControlKind::PieChart: return CreatePieChart(spec, parent);
    case ControlKind::Window: break;
  }
  return nullptr;
}

// Creates the control (after its parent, when the parent comes later in the
// creation order) and puts it on top of its siblings: created from the
// largest Order down, Order 1 ends up on top.
HWND EnsureControl(const ControlSpec& spec) {
  if (HWND existing = ControlWindow(spec.id)) return existing;
  HWND parent = runtime.window;
  if (spec.parent != MainWindowSpec().element) {
    const ControlSpec* parentSpec = FindControl(spec.parent);
    parent = parentSpec != nullptr ? EnsureControl(*parentSpec) : nullptr;
  }
  if (parent == nullptr) return nullptr;
  HWND control = CreateControl(spec, parent);
  if (control != nullptr) SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return control;
}

bool CreateControls() {
  const auto controls = MainFormControls();
  for (auto spec = controls.rbegin(); spec != controls.rend(); ++spec) {
    if (EnsureControl(*spec) == nullptr) return false;
  }
  return true;
}

// Every control is visible in the form; the tab container shows only the
// controls of its selected page.
void ShowControls() {
  const HWND container = ControlWindow(高级选择夹1);
  const int page = container != nullptr ? PageControlSelectedPage(container) : 0;
  for (const ControlSpec& spec : MainFormControls()) {
    const int controlPage = PageOf(spec);
    ShowWindow(ControlWindow(spec.id), controlPage == kNoPage || controlPage == page ? SW_SHOWNA : SW_HIDE);
  }
}

void ExitCleanup(bool runExitProcedure) {
  if (runExitProcedure && runtime.exitCallback != nullptr) {
    void (*callback)() = runtime.exitCallback;
    runtime.exitCallback = nullptr;
    callback();
  }
  if (runtime.oleStarted) {
    runtime.oleStarted = false;
    OleUninitialize();
  }
}

// The folder of the program file; a drive root keeps its "\" so that the
// directory is the root and not the drive's last directory.
void EnterProgramFolder() {
  WideText path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return;
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const auto slash = path.rfind(L'\\');
  if (slash == WideText::npos) return;
  path.resize(slash > 0 && path[slash - 1] == L':' ? slash + 1 : slash);
  SetCurrentDirectoryW(path.c_str());
}

bool FormReadable() {
#ifdef KESTRUNE_TEST_BUILD
  if (TestFaultRequested("form")) return false;
#endif
  return FormIsConsistent(MainWindowSpec(), MainFormControls());
}

}  // namespace

void StartRuntime() {
  runtime.oleStarted = SUCCEEDED(OleInitialize(nullptr));
  EnterProgramFolder();
  if (!FormReadable()) ReportFatalError("窗口模板无法读取。");
}

void RegisterExitCallback(void (*callback)()) { runtime.exitCallback = callback; }

void SetEventDispatcher(void (*dispatch)(Handler handler)) { runtime.dispatch = dispatch; }

void SetKeyFilter(bool (*filter)(MSG& msg)) { runtime.keyFilter = filter; }

void LoadStartupWindow(ControlId windowId) {
  const WindowSpec& spec = MainWindowSpec();
  bool created = windowId == spec.id && RegisterWindowClass();
#ifdef KESTRUNE_TEST_BUILD
  if (TestFaultRequested("window")) created = false;
#endif
  if (created) {
    // Centred on the primary screen, not the work area, whatever the form's
    // position says.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - spec.width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - spec.height) / 2;
    const WideText title = WideFromText(spec.title);
    runtime.window = CreateWindowExW(0, kWindowClass, title.c_str(), WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, left,
                                     top, spec.width, spec.height, nullptr, nullptr, GetModuleHandleW(nullptr),
                                     nullptr);
    created = runtime.window != nullptr;
    if (created) {
      RECT frame;
      GetWindowRect(runtime.window, &frame);
      if (frame.right - frame.left != spec.width || frame.bottom - frame.top != spec.height) {
        SetWindowPos(runtime.window, nullptr, left, top, spec.width, spec.height, SWP_NOZORDER | SWP_NOACTIVATE);
      }
      SetWindowIcons(runtime.window);
      created = CreateControls();
    }
  }
  if (!created) ReportFatalError("主窗口无法创建。");

  ShowControls();
  Raise(spec.onCreated);
  if (runtime.window != nullptr) {
    ShowWindow(runtime.window, SW_SHOWNORMAL);
    UpdateWindow(runtime.window);
  }
}

int RunMessageLoop() {
  runtime.loopEntered = true;
  if (runtime.window == nullptr) return 0;
  MSG msg;
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return 0;
    const bool isKey = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
    if (isKey && runtime.keyFilter != nullptr && runtime.keyFilter(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void RequestWindowDestroy(ControlId windowId, bool atOnce) {
  if (windowId != MainWindowSpec().id || runtime.window == nullptr) return;
  if (atOnce) {
    DestroyWindow(runtime.window);
    return;
  }
  runtime.destroyMarked = true;
  PostMessageW(runtime.window, kDestroyRequest, 0, 0);
}

void ReportFatalError(std::string_view message) {
  // Converted on the stack: the program heap may be what failed.
  wchar_t wide[512];
  const int length = MultiByteToWideChar(kTextCodePage, 0, message.data(),
                                         static_cast<int>(message.size() < 511 ? message.size() : 511), wide, 511);
  wide[length > 0 ? length : 0] = L'\0';
  MessageBoxW(nullptr, wide, L"Kestrune", MB_OK | MB_ICONERROR);
  ExitCleanup(false);
  ExitProcess(static_cast<UINT>(-1));
}

void RunExitCleanup() { ExitCleanup(true); }

HWND MainWindow() { return runtime.window; }

HWND ControlWindow(ControlId id) {
  const ControlSpec* spec = FindControl(id);
  if (spec == nullptr || runtime.window == nullptr) return nullptr;
  const HWND parent = spec->parent == MainWindowSpec().element ? runtime.window : ControlWindow(spec->parent);
  return parent != nullptr ? GetDlgItem(parent, static_cast<int>(id)) : nullptr;
}

void WriteControlText(ControlId id, std::string_view text) {
  if (HWND control = ControlWindow(id)) SetWindowTextFromText(control, text);
}

Text ReadControlText(ControlId id) {
  HWND control = ControlWindow(id);
  return control != nullptr ? WindowTextAsText(control) : Text();
}

void WritePicture(ControlId id, std::span<const std::uint8_t> bytes) {
  if (HWND control = ControlWindow(id)) PicBoxSetPicture(control, bytes);
}

Text ReadCurrentDrive(ControlId id) {
  HWND control = ControlWindow(id);
  return Text(1, control != nullptr ? DriverBoxCurrentDrive(control) : '@');
}

// --- What the runtime does for the controls ----------------------------------

namespace {

void ForwardCommand(WPARAM wParam, LPARAM lParam) {
  const HWND control = reinterpret_cast<HWND>(lParam);
  // The identifier in wParam is cut to 16 bits; the control's own is whole.
  const ControlSpec* spec = control != nullptr ? FindControl(static_cast<ControlId>(GetDlgCtrlID(control))) : nullptr;
  if (spec == nullptr) return;
  const UINT code = HIWORD(wParam);
  if (spec->kind == ControlKind::Button && code == BN_CLICKED) {
    Raise(spec->onEvent);
  } else if (spec->kind == ControlKind::DriverBox && code == CBN_SELENDOK) {
    DriverBoxStoreSelection(control);
    Raise(spec->onEvent);
  }
}

LRESULT ControlColours(HDC dc, HWND control) {
  const ControlSpec* spec = FindControl(static_cast<ControlId>(GetDlgCtrlID(control)));
  // The drive selector's dropped list is a window of the selector's own.
  if (spec == nullptr) spec = FindControl(static_cast<ControlId>(GetDlgCtrlID(GetParent(control))));
  if (spec == nullptr) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  SetTextColor(dc, ResolveColour(spec->textColour));
  SetBkColor(dc, ResolveColour(spec->backColour));
  return reinterpret_cast<LRESULT>(ColourBrush(dc, spec->backColour));
}

}  // namespace

bool RelayChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      ForwardCommand(wParam, lParam);
      result = 0;
      return true;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      result = ControlColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
      return true;
    default:
      return false;
  }
}

void ShowFormPage(int page) {
  for (const ControlSpec& spec : MainFormControls()) {
    const int controlPage = PageOf(spec);
    if (controlPage != kNoPage && controlPage != page) ShowWindow(ControlWindow(spec.id), SW_HIDE);
  }
  for (const ControlSpec& spec : MainFormControls()) {
    if (PageOf(spec) == page) ShowWindow(ControlWindow(spec.id), SW_SHOWNA);
  }
  // The focus goes to the first of the page's own controls that can take it;
  // on a page without one it stays where it is.
  FocusFirstControlOfPage(page);
}
