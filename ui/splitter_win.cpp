// Divider line: fills its area with its colour and frames it in 3-D, the
// bottom edge last, so a bar one pixel tall shows as a shadow-coloured line.
// Over it the pointer is the one for moving a horizontal line.
#include "ui/controls_win.h"
#include "ui/gdi_win.h"

namespace {

constexpr wchar_t kSplitterClass[] = L"WTSplitterBar";

void FillArea(HDC dc, int left, int top, int right, int bottom, int colourIndex) {
  const RECT area{left, top, right, bottom};
  FillRect(dc, &area, GetSysColorBrush(colourIndex));
}

void PaintContent(HWND bar, HDC dc) {
  RECT client;
  GetClientRect(bar, &client);
  FillRect(dc, &client, ColourBrush(dc, SpecOf(bar).backColour));
  const int w = client.right;
  const int h = client.bottom;
  FillArea(dc, 0, 0, w, 1, COLOR_BTNHIGHLIGHT);          // top
  FillArea(dc, 0, 0, 1, h, COLOR_BTNHIGHLIGHT);          // left
  FillArea(dc, w - 1, 0, w, h, COLOR_BTNSHADOW);         // right
  FillArea(dc, 0, h - 1, w, h, COLOR_BTNSHADOW);         // bottom
}

LRESULT CALLBACK SplitterProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      AttachSpec(bar, lParam);
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDc paint(bar);
      PaintContent(bar, paint.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintContent(bar, reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      break;
  }
  return DefWindowProcW(bar, message, wParam, lParam);
}

}  // namespace

HWND CreateSplitterBar(const ControlSpec& spec, HWND parent) {
  RegisterControlClass(kSplitterClass, SplitterProc, IDC_SIZENS);
  return CreateControlWindow(kSplitterClass, spec, parent, 0, spec.height);
}
