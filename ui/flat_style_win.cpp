#include "ui/flat_style_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/gdi_win.h"

namespace {

enum class FlatKind { PushButton, CheckBox, GroupBox, Edit, ComboBox, ComboList, UpDown };

// The blue scheme, 0x00BBGGRR.
constexpr COLORREF kFocusBorder = 0x9E6A3C;
constexpr COLORREF kFace = 0xFAF6F2;
constexpr COLORREF kHotFace = 0xF7ECE1;
constexpr COLORREF kPressedFace = 0xEEDAC6;
constexpr COLORREF kDisabledFace = 0xF2F2F2;
constexpr COLORREF kDisabledBorder = 0xC0C0C0;
constexpr COLORREF kGlyph = 0x5A3C1E;

constexpr UINT_PTR kSubclassId = 0x4B46;  // one subclass of ours per window

struct Restyled {
  HWND window;
  bool hot;
};

HHOOK hook = nullptr;
std::vector<Restyled> restyled;

Restyled* Find(HWND window) {
  auto it = std::find_if(restyled.begin(), restyled.end(), [&](const Restyled& r) { return r.window == window; });
  return it == restyled.end() ? nullptr : &*it;
}

bool IsHot(HWND window) {
  const Restyled* r = Find(window);
  return r != nullptr && r->hot;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Which flat kind `window` is, if any.
bool KindOf(HWND window, FlatKind& kind) {
  const std::wstring name = ClassOf(window);
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  if (::lstrcmpiW(name.c_str(), L"Button") == 0) {
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
        kind = FlatKind::PushButton;
        return true;
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_RADIOBUTTON:
      case BS_3STATE:
      case BS_AUTO3STATE:
      case BS_AUTORADIOBUTTON:
        kind = (style & BS_PUSHLIKE) ? FlatKind::PushButton : FlatKind::CheckBox;
        return true;
      case BS_GROUPBOX:
        kind = FlatKind::GroupBox;
        return true;
      default:
        return false;  // owner-drawn and other special buttons draw themselves
    }
  }
  if (::lstrcmpiW(name.c_str(), L"Edit") == 0) {
    HWND parent = ::GetParent(window);
    if (parent != nullptr && ::lstrcmpiW(ClassOf(parent).c_str(), L"SysIPAddress32") == 0) return false;
    kind = FlatKind::Edit;
    return true;
  }
  if (::lstrcmpiW(name.c_str(), L"ComboBox") == 0) {
    kind = FlatKind::ComboBox;
    return true;
  }
  if (::lstrcmpiW(name.c_str(), L"ComboLBox") == 0) {
    kind = FlatKind::ComboList;
    return true;
  }
  if (::lstrcmpiW(name.c_str(), UPDOWN_CLASSW) == 0) {
    kind = FlatKind::UpDown;
    return true;
  }
  return false;
}

// --- drawing helpers ---------------------------------------------------------

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  const OwnedBrush brush(::CreateSolidBrush(colour));
  ::FillRect(dc, &rect, brush.get());
}

void Frame(HDC dc, const RECT& rect, COLORREF colour) {
  const OwnedBrush brush(::CreateSolidBrush(colour));
  ::FrameRect(dc, &rect, brush.get());
}

RECT Inset(RECT rect, int by) {
  ::InflateRect(&rect, -by, -by);
  return rect;
}

COLORREF BorderColour(HWND window) {
  if (!::IsWindowEnabled(window)) return kDisabledBorder;
  return ::GetFocus() == window ? kFocusBorder : kFlatBorderColour;
}

// A small downward triangle centred in `rect`.
void DrawArrow(HDC dc, const RECT& rect, COLORREF colour, bool up = false) {
  const int cx = (rect.left + rect.right) / 2;
  const int cy = (rect.top + rect.bottom) / 2;
  const int dy = up ? -1 : 1;
  const POINT points[] = {{cx - 4, cy - 2 * dy}, {cx + 4, cy - 2 * dy}, {cx, cy + 2 * dy}};
  const OwnedBrush brush(::CreateSolidBrush(colour));
  const OwnedPen pen(::CreatePen(PS_SOLID, 1, colour));
  const Selection selectBrush(dc, brush.get());
  const Selection selectPen(dc, pen.get());
  ::Polygon(dc, points, 3);
}

UINT PrefixFlags(HWND window) {
  const LRESULT ui = ::SendMessageW(window, WM_QUERYUISTATE, 0, 0);
  return (ui & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;
}

bool FocusHidden(HWND window) { return (::SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0; }

// --- push buttons ------------------------------------------------------------

void PaintPushButton(HWND window, HDC target) {
  RECT client;
  ::GetClientRect(window, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  const BufferedPaint buffer(target, client);
  const HDC dc = buffer.dc();

  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  const LRESULT state = ::SendMessageW(window, BM_GETSTATE, 0, 0);
  const bool enabled = ::IsWindowEnabled(window) != FALSE;
  const bool pressed = (state & BST_PUSHED) || ((style & BS_PUSHLIKE) && (state & BST_CHECKED));
  const bool focused = ::GetFocus() == window;

  COLORREF face = kFace;
  if (!enabled) face = kDisabledFace;
  else if (pressed) face = kPressedFace;
  else if (IsHot(window)) face = kHotFace;
  Fill(dc, client, face);
  Frame(dc, client, enabled ? (focused ? kFocusBorder : kFlatBorderColour) : kDisabledBorder);
  if (focused && !FocusHidden(window)) {
    const RECT focus = Inset(client, 3);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, face);
    ::DrawFocusRect(dc, &focus);
  }

  const std::wstring text = TextOf(window);
  const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
  const Selection selectFont(dc, font != nullptr ? font : ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, enabled ? ::GetSysColor(COLOR_BTNTEXT) : ::GetSysColor(COLOR_GRAYTEXT));
  RECT area = Inset(client, 4);
  if (pressed) ::OffsetRect(&area, 1, 1);
  UINT flags = DT_CENTER | PrefixFlags(window);
  if (style & BS_MULTILINE) {
    RECT measure = area;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure, flags | DT_WORDBREAK | DT_CALCRECT);
    const int offset = std::max(0, static_cast<int>((area.bottom - area.top) - (measure.bottom - measure.top)) / 2);
    area.top += offset;
    flags |= DT_WORDBREAK;
  } else {
    flags |= DT_SINGLELINE | DT_VCENTER;
  }
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, flags);
}

// --- check boxes and radio buttons: the box itself -----------------------------

void PaintCheckMark(HWND window, HDC dc) {
  RECT client;
  ::GetClientRect(window, &client);
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  const LONG type = style & BS_TYPEMASK;
  const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
  const int size = 13;
  const bool right = (style & BS_LEFTTEXT) != 0;
  int top = (client.top + client.bottom - size) / 2;
  if ((style & BS_VCENTER) == BS_TOP) top = client.top;
  if ((style & BS_VCENTER) == BS_BOTTOM) top = client.bottom - size;
  const int left = right ? client.right - size : client.left;
  const RECT box{left, top, left + size, top + size};
  const bool enabled = ::IsWindowEnabled(window) != FALSE;
  const LRESULT state = ::SendMessageW(window, BM_GETSTATE, 0, 0);
  const COLORREF fill = !enabled ? kDisabledFace : (state & BST_PUSHED) ? kPressedFace : IsHot(window) ? kHotFace : RGB(255, 255, 255);
  const COLORREF border = enabled ? kFlatBorderColour : kDisabledBorder;
  const COLORREF mark = enabled ? kGlyph : kDisabledBorder;

  // Clear the system's glyph with the parent's background first.
  HWND parent = ::GetParent(window);
  HBRUSH back = reinterpret_cast<HBRUSH>(::SendMessageW(parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                                         reinterpret_cast<LPARAM>(window)));
  RECT around = box;
  ::InflateRect(&around, 1, 1);
  ::FillRect(dc, &around, back != nullptr ? back : ::GetSysColorBrush(COLOR_BTNFACE));

  const OwnedBrush fillBrush(::CreateSolidBrush(fill));
  const OwnedPen borderPen(::CreatePen(PS_SOLID, 1, border));
  {
    const Selection b(dc, fillBrush.get());
    const Selection p(dc, borderPen.get());
    if (radio) ::Ellipse(dc, box.left, box.top, box.right, box.bottom);
    else ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
  }
  const LRESULT check = state & (BST_CHECKED | BST_INDETERMINATE);
  if (check == 0) return;
  if (radio) {
    const OwnedBrush dot(::CreateSolidBrush(mark));
    const OwnedPen dotPen(::CreatePen(PS_SOLID, 1, mark));
    const Selection b(dc, dot.get());
    const Selection p(dc, dotPen.get());
    ::Ellipse(dc, box.left + 4, box.top + 4, box.right - 4, box.bottom - 4);
  } else if (check & BST_INDETERMINATE) {
    Fill(dc, {box.left + 3, box.top + 3, box.right - 3, box.bottom - 3}, mark);
  } else {
    const OwnedPen pen(::CreatePen(PS_SOLID, 2, mark));
    const Selection p(dc, pen.get());
    const POINT tick[] = {{box.left + 3, box.top + 6}, {box.left + 5, box.top + 9}, {box.left + 10, box.top + 3}};
    ::Polyline(dc, tick, 3);
  }
}

// --- group boxes ---------------------------------------------------------------

// A thin frame with the caption at the top left, on the background and in
// the caption colour that the box's parent gives it, painted off screen.
void PaintGroupBox(HWND window, HDC target) {
  RECT client;
  ::GetClientRect(window, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  const BufferedPaint buffer(target, client);
  const HDC dc = buffer.dc();
  HWND parent = ::GetParent(window);
  const auto back = reinterpret_cast<HBRUSH>(
      ::SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  ::FillRect(dc, &client, back != nullptr ? back : ::GetSysColorBrush(COLOR_BTNFACE));
  const bool enabled = ::IsWindowEnabled(window) != FALSE;
  const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
  const Selection selectFont(dc, font != nullptr ? font : ::GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);

  const std::wstring text = TextOf(window);
  RECT caption{client.left + 9, client.top, client.right - 9, client.top + metrics.tmHeight};
  const UINT flags = DT_SINGLELINE | PrefixFlags(window);  // left and top: the defaults
  if (!text.empty()) ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption, flags | DT_CALCRECT);
  const int lineY = client.top + metrics.tmHeight / 2;

  const OwnedPen pen(::CreatePen(PS_SOLID, 1, enabled ? kFlatBorderColour : kDisabledBorder));
  const Selection selectPen(dc, pen.get());
  const int gapLeft = text.empty() ? client.left + 8 : caption.left - 2;
  const int gapRight = text.empty() ? client.left + 8 : caption.right + 2;
  const POINT frame[] = {{gapLeft, lineY},
                         {client.left, lineY},
                         {client.left, client.bottom - 1},
                         {client.right - 1, client.bottom - 1},
                         {client.right - 1, lineY},
                         {gapRight - 1, lineY}};
  ::Polyline(dc, frame, 6);

  if (text.empty()) return;
  ::SetBkMode(dc, TRANSPARENT);
  if (!enabled) ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption, flags);
}

// --- frames: edit fields, the drop-down list's list, up-down controls --------

// Recolours the outer pixel of the window's frame and fills the rest of the
// system's 3-D edge with the field's background.
void PaintEditFrame(HWND window) {
  const WholeWindowDc whole(window);
  const HDC dc = whole.get();
  if (dc == nullptr) return;
  RECT rect;
  ::GetWindowRect(window, &rect);
  ::OffsetRect(&rect, -rect.left, -rect.top);
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  const LONG exStyle = ::GetWindowLongW(window, GWL_EXSTYLE);
  int edge = ((style & WS_BORDER) ? 1 : 0) + ((exStyle & WS_EX_CLIENTEDGE) ? 2 : 0) + ((exStyle & WS_EX_STATICEDGE) ? 1 : 0);
  if (edge > 0) {
    Frame(dc, rect, BorderColour(window));
    const COLORREF back = ::GetSysColor(::IsWindowEnabled(window) ? COLOR_WINDOW : COLOR_BTNFACE);
    for (int ring = 1; ring < edge; ++ring) Frame(dc, Inset(rect, ring), back);
  }
}

// The drop-down list's closed field: a thin border and a flat button.
void PaintComboFrame(HWND window, HDC dc) {
  RECT client;
  ::GetClientRect(window, &client);
  if (client.right <= 4 || client.bottom <= 4) return;
  const bool enabled = ::IsWindowEnabled(window) != FALSE;
  Frame(dc, client, BorderColour(window));
  Frame(dc, Inset(client, 1), ::GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));

  const int width = ::GetSystemMetrics(SM_CXVSCROLL);
  const RECT button{client.right - 2 - width, client.top + 1, client.right - 1, client.bottom - 1};
  const bool dropped = ::SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
  Fill(dc, button, !enabled ? kDisabledFace : dropped ? kPressedFace : IsHot(window) ? kHotFace : kFace);
  Fill(dc, {button.left, button.top, button.left + 1, button.bottom}, enabled ? kFlatBorderColour : kDisabledBorder);
  RECT glyph = button;
  glyph.left += 1;
  DrawArrow(dc, glyph, enabled ? kGlyph : kDisabledBorder);
}

void PaintOuterFrame(HWND window, HDC dc) {
  RECT client;
  ::GetClientRect(window, &client);
  Frame(dc, client, ::IsWindowEnabled(window) ? kFlatBorderColour : kDisabledBorder);
}

// --- the subclass ------------------------------------------------------------

// Messages after which the system's control has drawn itself directly, so
// that the flat look is drawn again over it.
bool RedrawsItself(FlatKind kind, UINT message) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      return true;
    default:
      break;
  }
  // The edge of a field changes only with its focus and state.
  if (kind == FlatKind::Edit || kind == FlatKind::ComboList) return false;
  switch (message) {
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_UPDATEUISTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_COMMAND:
    case BM_SETSTATE:
    case BM_SETCHECK:
    case BM_SETSTYLE:
    case CB_SETCURSEL:
    case CB_SHOWDROPDOWN:
      return true;
    default:
      return false;
  }
}

void Repaint(HWND window, FlatKind kind) {
  if (!::IsWindow(window) || !::IsWindowVisible(window)) return;
  switch (kind) {
    case FlatKind::PushButton: {
      const WindowDc dc(window);
      PaintPushButton(window, dc.get());
      break;
    }
    case FlatKind::CheckBox: {
      const WindowDc dc(window);
      PaintCheckMark(window, dc.get());
      break;
    }
    case FlatKind::GroupBox:
      // The box's paint covers its controls, so they are drawn again after it.
      ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
      break;
    case FlatKind::Edit:
    case FlatKind::ComboList:
      ::RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
      break;
    case FlatKind::ComboBox: {
      const WindowDc dc(window);
      PaintComboFrame(window, dc.get());
      break;
    }
    case FlatKind::UpDown: {
      const WindowDc dc(window);
      PaintOuterFrame(window, dc.get());
      break;
    }
  }
}

// Notes whether the pointer is over the control; true when that changed.
bool TrackHot(HWND window, UINT message) {
  Restyled* r = Find(window);
  if (r == nullptr) return false;
  if (message == WM_MOUSEMOVE && !r->hot) {
    r->hot = true;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
    ::TrackMouseEvent(&track);
    return true;
  }
  if (message == WM_MOUSELEAVE && r->hot) {
    r->hot = false;
    return true;
  }
  return false;
}

void Unstyle(HWND window);

LRESULT CALLBACK FlatProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/, DWORD_PTR data) {
  const FlatKind kind = static_cast<FlatKind>(data);
  if (message == WM_NCDESTROY) {
    Unstyle(window);
    return ::DefSubclassProc(window, message, wParam, lParam);
  }
  const bool hotChanged = (message == WM_MOUSEMOVE || message == WM_MOUSELEAVE) && TrackHot(window, message);

  switch (kind) {
    case FlatKind::PushButton:
      if (message == WM_ERASEBKGND) return 1;
      if (message == WM_PAINT || message == WM_PRINTCLIENT) {
        if (message == WM_PRINTCLIENT || wParam != 0) {
          PaintPushButton(window, reinterpret_cast<HDC>(wParam));
        } else {
          const PaintDc dc(window);
          PaintPushButton(window, dc.get());
        }
        return 0;
      }
      break;
    case FlatKind::GroupBox:
      if (message == WM_ERASEBKGND) return 1;  // the paint fills the whole box
      if (message == WM_PAINT || message == WM_PRINTCLIENT) {
        if (message == WM_PRINTCLIENT || wParam != 0) {
          PaintGroupBox(window, reinterpret_cast<HDC>(wParam));
        } else {
          const PaintDc dc(window);
          PaintGroupBox(window, dc.get());
        }
        return 0;
      }
      break;
    case FlatKind::Edit:
    case FlatKind::ComboList:
      if (message == WM_NCPAINT) {
        const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
        PaintEditFrame(window);
        return result;
      }
      break;
    case FlatKind::CheckBox:
    case FlatKind::ComboBox:
    case FlatKind::UpDown:
      if (message == WM_PAINT || message == WM_PRINTCLIENT) {
        const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
        const HDC given = reinterpret_cast<HDC>(wParam);
        if (given != nullptr) {
          if (kind == FlatKind::ComboBox) PaintComboFrame(window, given);
          else if (kind == FlatKind::CheckBox) PaintCheckMark(window, given);
          else PaintOuterFrame(window, given);
        } else {
          Repaint(window, kind);
        }
        return result;
      }
      break;
  }

  const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
  if (hotChanged || RedrawsItself(kind, message)) Repaint(window, kind);
  return result;
}

void Restyle(HWND window) {
  FlatKind kind{};
  if (Find(window) != nullptr || !KindOf(window, kind)) return;
  if (!::SetWindowSubclass(window, FlatProc, kSubclassId, static_cast<DWORD_PTR>(kind))) return;
  restyled.push_back({window, false});
}

void Unstyle(HWND window) {
  ::RemoveWindowSubclass(window, FlatProc, kSubclassId);
  std::erase_if(restyled, [&](const Restyled& r) { return r.window == window; });
}

void RedrawAll(HWND window) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == WM_CREATE) Restyle(call->hwnd);
  }
  return ::CallNextHookEx(hook, code, wParam, lParam);
}

BOOL CALLBACK RestyleChild(HWND window, LPARAM /*unused*/) {
  Restyle(window);
  return TRUE;
}

BOOL CALLBACK RestyleTopLevel(HWND window, LPARAM /*unused*/) {
  Restyle(window);
  ::EnumChildWindows(window, RestyleChild, 0);
  return TRUE;
}

}  // namespace

void VisualStyleOn(int style) {
  VisualStyleOff();
  if (style != 1) return;
  hook = ::SetWindowsHookExW(WH_CALLWNDPROC, WatchCreation, nullptr, ::GetCurrentThreadId());
  ::EnumThreadWindows(::GetCurrentThreadId(), RestyleTopLevel, 0);
  for (const Restyled& r : restyled) RedrawAll(r.window);
}

void VisualStyleOff() {
  if (hook != nullptr) {
    ::UnhookWindowsHookEx(hook);
    hook = nullptr;
  }
  const std::vector<Restyled> windows = std::move(restyled);
  restyled.clear();
  for (const Restyled& r : windows) {
    ::RemoveWindowSubclass(r.window, FlatProc, kSubclassId);
    RedrawAll(r.window);
  }
}

bool HasFlatStyle(HWND window) { return Find(window) != nullptr; }
