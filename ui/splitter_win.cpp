// Divider line: fills its area with its colour and frames it in 3-D, the
// bottom edge last, so a bar one pixel tall shows as a shadow-coloured line.
// Over it the pointer is the one for moving a horizontal line.
#include <windowsx.h>

#include <algorithm>
#include <utility>

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

// Dragging a bar: the left button captures the mouse and an inverted halftone
// copy of the bar follows the pointer up and down, kept inside the parent's
// client area; Esc or the right button cancels, releasing the left button
// removes the copy. The form binds nothing to a moved bar, so the bar itself
// stays where it is. One drag at a time: the mouse has one capture.
struct Drag {
  HWND bar = nullptr;
  LONG grabY = 0;    // where in the bar the pointer took hold
  RECT copy{};       // the copy now drawn, in the parent's client coordinates
};
Drag drag;

// A DC of the parent that draws over its children, as the copy must.
class ParentDc {
 public:
  explicit ParentDc(HWND parent)
      : parent_(parent), dc_(GetDCEx(parent, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS)) {}
  ParentDc(const ParentDc&) = delete;
  ParentDc& operator=(const ParentDc&) = delete;
  ~ParentDc() {
    if (dc_ != nullptr) ReleaseDC(parent_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND parent_;
  HDC dc_;
};

// Inverts `area` of the parent through a halftone pattern; a second call
// restores it.
void InvertCopy(HWND parent, const RECT& area) {
  static const WORD kHalftone[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
  const OwnedBitmap pattern(CreateBitmap(8, 8, 1, 1, kHalftone));
  const OwnedBrush brush(CreatePatternBrush(pattern.get()));
  ParentDc dc(parent);
  if (dc.get() == nullptr || !brush) return;
  Selection selection(dc.get(), brush.get());
  PatBlt(dc.get(), area.left, area.top, area.right - area.left, area.bottom - area.top, PATINVERT);
}

RECT BarInParent(HWND bar) {
  RECT rect;
  GetWindowRect(bar, &rect);
  MapWindowPoints(nullptr, GetParent(bar), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void BeginDrag(HWND bar, LPARAM lParam) {
  SetFocus(bar);  // so that Esc reaches the drag
  SetCapture(bar);
  // Paint what the press made pending (activation, the focus moving) before
  // the copy is drawn over it: a later paint would spoil its inversion.
  RedrawWindow(GetAncestor(bar, GA_ROOT), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  drag.bar = bar;
  drag.grabY = GET_Y_LPARAM(lParam);
  drag.copy = BarInParent(bar);
  InvertCopy(GetParent(bar), drag.copy);
}

void FollowPointer(HWND bar, LPARAM lParam) {
  HWND parent = GetParent(bar);
  POINT pointer{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  MapWindowPoints(bar, parent, &pointer, 1);
  RECT client;
  GetClientRect(parent, &client);
  const LONG height = drag.copy.bottom - drag.copy.top;
  const LONG top = std::clamp<LONG>(pointer.y - drag.grabY, 0, std::max<LONG>(0, client.bottom - height));
  if (top == drag.copy.top) return;
  InvertCopy(parent, drag.copy);
  OffsetRect(&drag.copy, 0, top - drag.copy.top);
  InvertCopy(parent, drag.copy);
}

// Removes the copy and gives the mouse back: the end of every drag, whether
// released, cancelled or interrupted by the system taking the capture.
void EndDrag() {
  if (drag.bar == nullptr) return;
  HWND bar = std::exchange(drag.bar, nullptr);
  InvertCopy(GetParent(bar), drag.copy);
  if (GetCapture() == bar) ReleaseCapture();
}

bool Dragging(HWND bar) { return drag.bar == bar; }

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
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a quick second press starts a drag as well
      BeginDrag(bar, lParam);
      return 0;
    case WM_MOUSEMOVE:
      if (Dragging(bar)) FollowPointer(bar, lParam);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
      if (Dragging(bar)) EndDrag();
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE && Dragging(bar)) {
        EndDrag();
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
    case WM_NCDESTROY:
      if (Dragging(bar)) EndDrag();
      break;
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
