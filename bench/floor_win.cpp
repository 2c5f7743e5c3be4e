// The floor for the start-up and memory figures: the least a program of this
// kind does before its window is on the screen. One empty top-level window
// of the main window's size, frame and class settings, centred, painted in
// the button-face colour, and a message loop; built with the same toolchain,
// flags and static runtime as the program.
#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"KestruneFloor";
constexpr int kWidth = 380;
constexpr int kHeight = 500;

LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = FloorWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  wc.lpszClassName = kClassName;
  if (RegisterClassExW(&wc) == 0) return 1;

  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  HWND window = CreateWindowExW(0, kClassName, L"KestruneFloor", WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, left, top,
                                kWidth, kHeight, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
