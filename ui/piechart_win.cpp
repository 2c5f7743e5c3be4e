// Pie chart: a control of its own that draws a three-dimensional pie of its
// data items with a legend at the right and its title (the window text)
// centred near the top. The layout comes from pie_geometry; this file only
// fills what it describes, off screen, and copies it in one step.
#include "ui/piechart_win.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "ui/controls_win.h"
#include "ui/gdi_win.h"
#include "ui/pie_data.h"
#include "ui/pie_geometry.h"
#include "ui/piechart_messages.h"
#include "ui/text_win.h"

namespace {

constexpr wchar_t kPieChartClass[] = L"WTPieChart";

// What the chart keeps, from WM_NCCREATE to WM_NCDESTROY.
struct PieChartState {
  const ControlSpec* spec = nullptr;
  PieData data;
};

PieChartState* StateOf(HWND chart) { return ControlState<PieChartState>(chart); }

// Applies a write to the chart's data and marks the chart for redrawing.
template <class Write>
void Change(HWND chart, Write write) {
  PieChartState* state = StateOf(chart);
  if (state == nullptr) return;
  write(state->data);
  InvalidateRect(chart, nullptr, FALSE);
}

void FillPolygon(HDC dc, const PiePolygon& polygon, COLORREF colour) {
  if (polygon.size() < 3) return;
  const OwnedBrush brush(CreateSolidBrush(colour));
  const Selection selected(dc, brush.get());
  static_assert(sizeof(PiePoint) == sizeof(POINT));
  Polygon(dc, reinterpret_cast<const POINT*>(polygon.data()), static_cast<int>(polygon.size()));
}

int TextWidth(HDC dc, const WideText& text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void DrawLine(HDC dc, const WideText& text, PieRect area, UINT align) {
  RECT rect{area.left, area.top, area.right, area.bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, align | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintContent(HWND chart, HDC dc) {
  const PieChartState& state = *StateOf(chart);
  const PieData& data = state.data;
  RECT client;
  GetClientRect(chart, &client);
  FillRect(dc, &client, ColourBrush(dc, state.spec->backColour));

  const Selection font(dc, DefaultGuiFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColour(state.spec->textColour));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);

  // The legend's texts decide its width.
  std::vector<WideText, ProgramAllocator<WideText>> legend;
  const double sum = PieValueSum(data);
  legend.push_back(WideFromText(LegendUnitText(data.unit)));
  for (const PieItem& item : data.items) legend.push_back(WideFromText(LegendItemText(item.name, item.value, sum)));
  int legendWidth = 0;
  for (const WideText& text : legend) legendWidth = std::max(legendWidth, TextWidth(dc, text));

  const PieLayout layout =
      LayoutPieChart(client.right, client.bottom, metrics.tmHeight, legendWidth, data.items.size());
  DrawLine(dc, WindowTextOf(chart), layout.title, DT_CENTER | DT_TOP);
  if (!(sum > 0)) return;  // nothing to compare: background and title only

  std::vector<double, ProgramAllocator<double>> values;
  for (const PieItem& item : data.items) values.push_back(item.value);
  const std::vector<PieSlice> slices = PieSlices(values);

  // No outlines: the faces are filled only. The edge first, farthest part
  // first, then the top.
  const Selection noPen(dc, GetStockObject(NULL_PEN));
  for (std::size_t i : SideFaceOrder(slices))
    FillPolygon(dc, SideFace(layout.pie, layout.thickness, slices[i]), SideShade(data.items[slices[i].item].colour));
  for (const PieSlice& slice : slices) FillPolygon(dc, TopFace(layout.pie, slice), data.items[slice.item].colour);

  for (std::size_t row = 0; row < layout.legend.size(); ++row) {
    const LegendRow& place = layout.legend[row];
    if (row > 0) {
      const PieRect& s = place.swatch;
      const RECT swatch{s.left, s.top, s.right, s.bottom};
      const OwnedBrush brush(CreateSolidBrush(data.items[row - 1].colour));
      FillRect(dc, &swatch, brush.get());
    }
    DrawLine(dc, legend[row], place.text, DT_LEFT | DT_VCENTER);
  }
}

// Byte `index` of `text`, or -1 past its end.
LRESULT ByteOf(const Text& text, LPARAM index) {
  if (index < 0 || static_cast<std::size_t>(index) >= text.size()) return -1;
  return static_cast<unsigned char>(text[static_cast<std::size_t>(index)]);
}

// The answers of the private state messages.
LRESULT Answer(const PieData& data, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kPieGetItemCount) return static_cast<LRESULT>(data.items.size());
  if (message == kPieGetUnitByte) return ByteOf(data.unit, static_cast<LPARAM>(wParam));
  if (wParam >= data.items.size()) return -1;
  const PieItem& item = data.items[wParam];
  switch (message) {
    case kPieGetItemColour:
      return static_cast<LRESULT>(item.colour);
    case kPieGetItemValue:
      return static_cast<LRESULT>(std::lround(item.value));
    default:
      return ByteOf(item.name, lParam);
  }
}

void OnNcCreate(HWND chart, LPARAM lParam) {
  PieChartState& state = AttachControlState<PieChartState>(chart);
  state.spec = static_cast<const ControlSpec*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
  // The form's one data item and unit text.
  state.data.items[0] = PieItem{Text("数据项1"), 0x00FF0000, 10.0};
  state.data.unit = "MB";
}

void OnNcDestroy(HWND chart) { ReleaseControlState<PieChartState>(chart); }

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
      if (message >= kPieGetItemCount && message <= kPieGetUnitByte && StateOf(chart) != nullptr)
        return Answer(StateOf(chart)->data, message, wParam, lParam);
      break;
  }
  return DefWindowProcW(chart, message, wParam, lParam);
}

}  // namespace

HWND CreatePieChart(const ControlSpec& spec, HWND parent) {
  RegisterControlClass(kPieChartClass, PieChartProc);
  return CreateControlWindow(kPieChartClass, spec, parent, 0, spec.height);
}

void PieChartSetItemCount(HWND chart, int count) {
  Change(chart, [&](PieData& data) { SetPieItemCount(data, count); });
}

void PieChartSetCurrentItem(HWND chart, int index) {
  Change(chart, [&](PieData& data) { SetPieCurrentItem(data, index); });
}

void PieChartSetItemName(HWND chart, std::string_view name) {
  Change(chart, [&](PieData& data) { SetPieItemName(data, name); });
}

void PieChartSetItemColour(HWND chart, std::uint32_t colour) {
  Change(chart, [&](PieData& data) { SetPieItemColour(data, colour); });
}

void PieChartSetItemValue(HWND chart, double value) {
  Change(chart, [&](PieData& data) { SetPieItemValue(data, value); });
}

void PieChartSetUnit(HWND chart, std::string_view unit) {
  Change(chart, [&](PieData& data) { data.unit.assign(unit); });
}
