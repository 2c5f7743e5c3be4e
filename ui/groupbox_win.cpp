// Group box: the system's group box with its caption at the left, in the
// form's text colour on the form's background, which also fills the whole
// box. It is the parent of its controls, so it hands their commands and
// colour requests on to the runtime.
#include "ui/controls_win.h"

namespace {

// The group box's own procedure, kept while it is subclassed.
constexpr wchar_t kPreviousProc[] = L"Kestrune.GroupBoxProc";

LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto previous = reinterpret_cast<WNDPROC>(GetPropW(box, kPreviousProc));
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(box, &client);
      const HDC dc = reinterpret_cast<HDC>(wParam);
      FillRect(dc, &client, ColourBrush(dc, FindControl(static_cast<ControlId>(GetDlgCtrlID(box)))->backColour));
      return 1;
    }
    case WM_COMMAND:
      ForwardCommand(wParam, lParam);
      return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return ControlColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NCDESTROY:
      SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      RemovePropW(box, kPreviousProc);
      break;
    default:
      break;
  }
  return CallWindowProcW(previous, box, message, wParam, lParam);
}

}  // namespace

HWND CreateGroupBox(const ControlSpec& spec, HWND parent) {
  HWND box = CreateControlWindow(L"BUTTON", spec, parent, BS_GROUPBOX | BS_LEFT, spec.height);
  if (box == nullptr) return nullptr;
  SetPropW(box, kPreviousProc, reinterpret_cast<HANDLE>(GetWindowLongPtrW(box, GWLP_WNDPROC)));
  SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupBoxProc));
  return box;
}
