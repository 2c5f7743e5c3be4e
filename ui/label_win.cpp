// Label: a window of its own that fills its background and draws its caption
// (the window text) in the form's colours and the default GUI font.
#include "ui/controls_win.h"
#include "ui/gdi_win.h"
#include "ui/text_win.h"

namespace {

constexpr wchar_t kLabelClass[] = L"WTLabel";

void PaintContent(HWND label, HDC dc) {
  const ControlSpec& spec = SpecOf(label);
  RECT client;
  GetClientRect(label, &client);
  FillRect(dc, &client, ColourBrush(dc, spec.backColour));
  const WideText caption = WindowTextOf(label);
  if (caption.empty()) return;
  Selection font(dc, DefaultGuiFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColour(spec.textColour));
  const UINT layout = spec.wordBreak ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &client, DT_NOCLIP | DT_LEFT | layout);
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      AttachSpec(label, lParam);
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDc paint(label);
      RECT client;
      GetClientRect(label, &client);
      BufferedPaint buffer(paint.get(), client);
      PaintContent(label, buffer.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintContent(label, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(label, message, wParam, lParam);
      InvalidateRect(label, nullptr, FALSE);
      return result;
    }
    default:
      break;
  }
  return DefWindowProcW(label, message, wParam, lParam);
}

}  // namespace

HWND CreateLabel(const ControlSpec& spec, HWND parent) {
  RegisterControlClass(kLabelClass, LabelProc);
  return CreateControlWindow(kLabelClass, spec, parent, 0, spec.height);
}
