// Tab container: a row of tabs drawn by the program along the top and the
// page area below it. A left click on a tab selects its page; the runtime
// shows that page's controls and hides the other's. It is the parent of the
// pages' controls, so it hands their commands and colour requests on to the
// runtime.
#include <windowsx.h>

#include <iterator>
#include <memory>

#include "ui/controls_win.h"
#include "ui/gdi_win.h"
#include "ui/text_win.h"

namespace {

constexpr wchar_t kPageControlClass[] = L"WTPageControl";
constexpr int kPageCount = static_cast<int>(std::size(kPageCaptions));
constexpr int kNoTab = -1;

// The tab row runs from y 2 to y 22 (the larger of 20 and the caption
// font's 12); the page area fills the rest.
constexpr int kTabTop = 2;
constexpr int kTabBottom = 22;
constexpr int kFirstTabLeft = 2;
constexpr int kTabPadding = 8;  // each side of a caption

constexpr COLORREF kOutline = 0x00B4A791;
constexpr COLORREF kCaption = 0x00000000;
constexpr COLORREF kSelectedCaption = 0x00FF0000;
constexpr COLORREF kHotCaption = 0x000000FF;

// What the container keeps, from WM_NCCREATE to WM_NCDESTROY.
struct PageControlState {
  const ControlSpec* spec = nullptr;
  int selected = 0;
  int hot = kNoTab;
  bool tracking = false;  // a mouse-leave notice is requested
  OwnedFont font;
  WideText captions[kPageCount];
};

PageControlState* StateOf(HWND container) { return ControlState<PageControlState>(container); }

OwnedFont CaptionFont() {
  return OwnedFont(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
}

// Each tab is as wide as its caption needs.
RECT TabRect(HWND container, const PageControlState& state, int tab) {
  WindowDc dc(container);
  Selection font(dc.get(), state.font.get());
  int left = kFirstTabLeft;
  RECT rect{};
  for (int i = 0; i <= tab; ++i) {
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), state.captions[i].c_str(), static_cast<int>(state.captions[i].size()), &extent);
    rect = RECT{left, kTabTop, left + extent.cx + 2 * kTabPadding, kTabBottom};
    left = rect.right;
  }
  return rect;
}

int TabAt(HWND container, const PageControlState& state, POINT point) {
  for (int tab = 0; tab < kPageCount; ++tab) {
    const RECT rect = TabRect(container, state, tab);
    if (PtInRect(&rect, point)) return tab;
  }
  return kNoTab;
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

void Outline(HDC dc, const RECT& rect, bool openBottom) {
  const POINT corners[] = {{rect.left, rect.bottom - (openBottom ? 0 : 1)},
                           {rect.left, rect.top},
                           {rect.right - 1, rect.top},
                           {rect.right - 1, rect.bottom - (openBottom ? 0 : 1)}};
  Polyline(dc, corners, 4);
}

void PaintContent(HWND container, HDC dc) {
  const PageControlState& state = *StateOf(container);
  RECT client;
  GetClientRect(container, &client);
  const HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  FillRect(dc, &client, face);

  OwnedPen pen(CreatePen(PS_SOLID, 1, kOutline));
  Selection penSelection(dc, pen.get());
  Selection brushSelection(dc, GetStockObject(NULL_BRUSH));
  Selection fontSelection(dc, state.font.get());
  const RECT page{0, kTabBottom, client.right, client.bottom};
  Rectangle(dc, page.left, page.top, page.right, page.bottom);

  SetBkMode(dc, TRANSPARENT);
  for (int tab = 0; tab < kPageCount; ++tab) {
    RECT rect = TabRect(container, state, tab);
    const bool selected = tab == state.selected;
    if (selected) {
      // The selected tab opens into the page area.
      const RECT join{rect.left + 1, kTabBottom, rect.right - 1, kTabBottom + 1};
      FillRect(dc, &join, face);
    }
    Outline(dc, rect, selected);
    SetTextColor(dc, tab == state.hot ? kHotCaption : selected ? kSelectedCaption : kCaption);
    DrawTextW(dc, state.captions[tab].c_str(), static_cast<int>(state.captions[tab].size()), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

void InvalidateTabs(HWND container) {
  RECT row;
  GetClientRect(container, &row);
  row.bottom = kTabBottom + 1;
  InvalidateRect(container, &row, FALSE);
}

void SetHot(HWND container, PageControlState& state, int tab) {
  if (state.hot == tab) return;
  state.hot = tab;
  InvalidateTabs(container);
}

void OnMouseMove(HWND container, PageControlState& state, LPARAM lParam) {
  if (!state.tracking) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, container, 0};
    state.tracking = TrackMouseEvent(&track) != FALSE;
  }
  SetHot(container, state, TabAt(container, state, PointOf(lParam)));
}

void OnLeftButtonDown(HWND container, PageControlState& state, LPARAM lParam) {
  const int tab = TabAt(container, state, PointOf(lParam));
  if (tab == kNoTab || tab == state.selected) return;
  state.selected = tab;
  InvalidateTabs(container);
  ShowFormPage(tab);
}

bool OnNcCreate(HWND container, LPARAM lParam) {
  PageControlState& state = AttachControlState<PageControlState>(container);
  state.spec = static_cast<const ControlSpec*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
  state.font = CaptionFont();
  for (int i = 0; i < kPageCount; ++i) state.captions[i] = WideFromText(kPageCaptions[i]);
  return true;
}

void OnNcDestroy(HWND container) { ReleaseControlState<PageControlState>(container); }

LRESULT CALLBACK PageControlProc(HWND container, UINT message, WPARAM wParam, LPARAM lParam) {
  PageControlState* state = StateOf(container);
  if (LRESULT relayed = 0; RelayChildMessage(message, wParam, lParam, relayed)) return relayed;
  switch (message) {
    case WM_NCCREATE:
      OnNcCreate(container, lParam);
      break;
    case WM_NCDESTROY:
      OnNcDestroy(container);
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDc paint(container);
      if (IsRectEmpty(&paint.paint().rcPaint)) return 0;
      BufferedPaint buffer(paint.get(), paint.paint().rcPaint);
      PaintContent(container, buffer.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintContent(container, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_MOUSEMOVE:
      if (state != nullptr) OnMouseMove(container, *state, lParam);
      return 0;
    case WM_MOUSELEAVE:
      if (state != nullptr) {
        state->tracking = false;
        SetHot(container, *state, kNoTab);
      }
      return 0;
    case WM_LBUTTONDOWN:
      if (state != nullptr) OnLeftButtonDown(container, *state, lParam);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(container, message, wParam, lParam);
}

}  // namespace

HWND CreatePageControl(const ControlSpec& spec, HWND parent) {
  RegisterControlClass(kPageControlClass, PageControlProc);
  return CreateControlWindow(kPageControlClass, spec, parent, WS_CLIPCHILDREN, spec.height);
}

int PageControlSelectedPage(HWND container) {
  const PageControlState* state = StateOf(container);
  return state != nullptr ? state->selected : 0;
}
