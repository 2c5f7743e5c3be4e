// Pie chart: a control of its own with a white background and its title (the
// window text) centred near the top, keeping its data items and unit text.
#include <memory>
#include <vector>

#include "ui/controls_win.h"
#include "ui/gdi_win.h"
#include "ui/text_win.h"

namespace {

constexpr wchar_t kPieChartClass[] = L"WTPieChart";
constexpr int kTitleTop = 4;

struct PieItem {
  Text name;
  Colour colour;
  double value;
};

// What the chart keeps, from WM_NCCREATE to WM_NCDESTROY.
struct PieChartState {
  const ControlSpec* spec = nullptr;
  std::vector<PieItem, ProgramAllocator<PieItem>> items;
  int current = 0;
  Text unit;
};

PieChartState* StateOf(HWND chart) { return reinterpret_cast<PieChartState*>(GetWindowLongPtrW(chart, GWLP_USERDATA)); }

void PaintContent(HWND chart, HDC dc) {
  const PieChartState& state = *StateOf(chart);
  RECT client;
  GetClientRect(chart, &client);
  FillRect(dc, &client, ColourBrush(dc, state.spec->backColour));
  const WideText title = WindowTextOf(chart);
  if (title.empty()) return;
  Selection font(dc, DefaultGuiFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColour(state.spec->textColour));
  RECT titleArea{client.left, client.top + kTitleTop, client.right, client.bottom};
  DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &titleArea, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

void OnNcCreate(HWND chart, LPARAM lParam) {
  ProgramAllocator<PieChartState> allocator;
  PieChartState* state = std::construct_at(allocator.allocate(1));
  state->spec = static_cast<const ControlSpec*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
  // The form's one data item and unit text.
  state->items.push_back(PieItem{Text("数据项1"), 0x00FF0000, 10.0});
  state->unit = "MB";
  SetWindowLongPtrW(chart, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
}

void OnNcDestroy(HWND chart) {
  PieChartState* state = StateOf(chart);
  SetWindowLongPtrW(chart, GWLP_USERDATA, 0);
  if (state == nullptr) return;
  std::destroy_at(state);
  ProgramAllocator<PieChartState>().deallocate(state, 1);
}

LRESULT CALLBACK PieChartProc(HWND chart, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      OnNcCreate(chart, lParam);
      break;
    case WM_NCDESTROY:
      OnNcDestroy(chart);
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDc paint(chart);
      RECT client;
      GetClientRect(chart, &client);
      BufferedPaint buffer(paint.get(), client);
      PaintContent(chart, buffer.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintContent(chart, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(chart, message, wParam, lParam);
      InvalidateRect(chart, nullptr, FALSE);
      return result;
    }
    default:
      break;
  }
  return DefWindowProcW(chart, message, wParam, lParam);
}

}  // namespace

HWND CreatePieChart(const ControlSpec& spec, HWND parent) {
  RegisterControlClass(kPieChartClass, PieChartProc);
  return CreateControlWindow(kPieChartClass, spec, parent, 0, spec.height);
}
