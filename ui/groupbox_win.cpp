// Group box: the system's group box (a BUTTON of style BS_GROUPBOX, so that
// the platform and its accessibility tools know it), painted by the program:
// the whole box in the form's background, an etched frame, and the caption
// at the left in the form's text colour on that background. A visual style
// would otherwise draw the caption in its own colour. The box is the parent
// of its controls, so it hands their commands and colour requests on to the
// runtime.
#include "ui/controls_win.h"
#include "ui/gdi_win.h"
#include "ui/text_win.h"

namespace {

// The group box's own procedure, kept while it is subclassed.
constexpr wchar_t kPreviousProc[] = L"Kestrune.GroupBoxProc";
constexpr int kCaptionLeft = 8;
constexpr int kCaptionPadding = 2;

const ControlSpec& SpecOfBox(HWND box) { return *FindControl(static_cast<ControlId>(GetDlgCtrlID(box))); }

void PaintContent(HWND box, HDC dc) {
  const ControlSpec& spec = SpecOfBox(box);
  RECT client;
  GetClientRect(box, &client);
  FillRect(dc, &client, ColourBrush(dc, spec.backColour));

  Selection font(dc, DefaultGuiFont());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT frame = client;
  frame.top = metrics.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

  const WideText caption = WindowTextOf(box);
  if (caption.empty()) return;
  RECT text{kCaptionLeft, 0, client.right - kCaptionLeft, metrics.tmHeight};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_LEFT | DT_CALCRECT);
  RECT behind{text.left - kCaptionPadding, 0, text.right + kCaptionPadding, metrics.tmHeight};
  FillRect(dc, &behind, ColourBrush(dc, spec.backColour));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColour(spec.textColour));
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_LEFT);
}

LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto previous = reinterpret_cast<WNDPROC>(GetPropW(box, kPreviousProc));
  if (LRESULT relayed = 0; RelayChildMessage(message, wParam, lParam, relayed)) return relayed;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDc paint(box);
      RECT client;
      GetClientRect(box, &client);
      BufferedPaint buffer(paint.get(), client);
      PaintContent(box, buffer.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintContent(box, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(box, message, wParam, lParam);
      InvalidateRect(box, nullptr, FALSE);
      return result;
    }
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
  HWND box = CreateControlWindow(L"BUTTON", spec, parent, BS_GROUPBOX | BS_LEFT | WS_CLIPCHILDREN, spec.height);
  if (box == nullptr) return nullptr;
  SetPropW(box, kPreviousProc, reinterpret_cast<HANDLE>(GetWindowLongPtrW(box, GWLP_WNDPROC)));
  SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupBoxProc));
  return box;
}
