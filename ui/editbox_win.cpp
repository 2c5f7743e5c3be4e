// Edit box: the system's single-line edit, thin border, scrolling as the
// user types. Its one line of text sits in the middle of the box: the client
// area is narrowed to the font's line height, the bands above and below are
// painted in the box's background and count as the box's inside for the
// mouse.
#include "ui/controls_win.h"
#include "ui/gdi_win.h"

namespace {

// GWLP_USERDATA: the edit control's own procedure, kept while subclassed.
WNDPROC PreviousProc(HWND box) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(box, GWLP_USERDATA)); }

int LineHeight(HWND box) {
  WindowDc dc(box);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
  Selection selection(dc.get(), font != nullptr ? font : DefaultGuiFont());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  return metrics.tmHeight;
}

void NarrowToOneLine(HWND box, RECT& client) {
  const int height = client.bottom - client.top;
  const int line = LineHeight(box);
  if (line <= 0 || line >= height) return;
  client.top += (height - line) / 2;
  client.bottom = client.top + line;
}

// The bands between the border and the narrowed client area, in the colour
// the box's parent gives it.
void PaintBands(HWND box) {
  RECT window;
  GetWindowRect(box, &window);
  POINT origin{0, 0};
  ClientToScreen(box, &origin);
  RECT client;
  GetClientRect(box, &client);
  OffsetRect(&client, origin.x - window.left, origin.y - window.top);
  const int height = window.bottom - window.top;
  WholeWindowDc dc(box);
  if (dc.get() == nullptr) return;
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      GetParent(box), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(box)));
  const int border = client.left;
  const RECT above{client.left, border, client.right, client.top};
  const RECT below{client.left, client.bottom, client.right, height - border};
  if (above.bottom > above.top) FillRect(dc.get(), &above, brush);
  if (below.bottom > below.top) FillRect(dc.get(), &below, brush);
}

LRESULT CALLBACK EditBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC previous = PreviousProc(box);
  switch (message) {
    case WM_NCCALCSIZE: {
      const LRESULT result = CallWindowProcW(previous, box, message, wParam, lParam);
      RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
      NarrowToOneLine(box, client);
      return result;
    }
    case WM_NCPAINT: {
      const LRESULT result = CallWindowProcW(previous, box, message, wParam, lParam);
      PaintBands(box);
      return result;
    }
    case WM_NCHITTEST: {
      const LRESULT hit = CallWindowProcW(previous, box, message, wParam, lParam);
      return hit == HTNOWHERE ? HTCLIENT : hit;
    }
    case WM_SETFONT: {
      const LRESULT result = CallWindowProcW(previous, box, message, wParam, lParam);
      SetWindowPos(box, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return result;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      SetWindowLongPtrW(box, GWLP_USERDATA, 0);
      return CallWindowProcW(previous, box, message, wParam, lParam);
    default:
      break;
  }
  return CallWindowProcW(previous, box, message, wParam, lParam);
}

}  // namespace

HWND CreateEditBox(const ControlSpec& spec, HWND parent) {
  // Created without the font; the subclass narrows the client area when the
  // font arrives.
  HWND box = CreateControlWindow(L"EDIT", spec, parent, WS_BORDER | ES_LEFT | ES_AUTOHSCROLL, spec.height);
  if (box == nullptr) return nullptr;
  SetWindowLongPtrW(box, GWLP_USERDATA, GetWindowLongPtrW(box, GWLP_WNDPROC));
  SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditBoxProc));
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultGuiFont()), FALSE);
  return box;
}
