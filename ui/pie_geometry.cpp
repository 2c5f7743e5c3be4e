#include "ui/pie_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "drive/format.h"

namespace {

// Arcs are drawn as straight segments of at most this many degrees.
constexpr double kArcStep = 2.0;
// Gaps around the parts, in pixels.
constexpr int kMargin = 6;
constexpr int kSwatchGap = 4;

struct Ellipse {
  double cx, cy, a, b;
};

Ellipse EllipseOf(const PieRect& box) {
  return {(box.left + box.right) / 2.0, (box.top + box.bottom) / 2.0, box.width() / 2.0, box.height() / 2.0};
}

PiePoint PointAt(const Ellipse& e, double degrees, int dy = 0) {
  const double r = degrees * std::numbers::pi / 180.0;
  return {static_cast<int>(std::lround(e.cx - e.a * std::cos(r))),
          static_cast<int>(std::lround(e.cy - e.b * std::sin(r))) + dy};
}

// Points along the arc from `from` to `to`, both ends included.
void AppendArc(PiePolygon& out, const Ellipse& e, double from, double to, int dy = 0) {
  const double span = to - from;
  const int steps = std::max(1, static_cast<int>(std::ceil(std::abs(span) / kArcStep)));
  for (int i = 0; i <= steps; ++i) out.push_back(PointAt(e, from + span * i / steps, dy));
}

}  // namespace

std::vector<PieSlice> PieSlices(std::span<const double> values) {
  double sum = 0;
  for (double v : values)
    if (v > 0) sum += v;
  std::vector<PieSlice> slices;
  if (!(sum > 0)) return slices;
  double at = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!(values[i] > 0)) continue;
    const double sweep = 360.0 * values[i] / sum;
    slices.push_back({i, at, at + sweep});
    at += sweep;
  }
  // Rounding must not leave a sliver open at nine o'clock.
  slices.back().to = 360.0;
  return slices;
}

std::uint32_t SideShade(std::uint32_t colour) {
  std::uint32_t shade = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t c = (colour >> shift) & 0xFF;
    shade |= ((c + 10) / 2) << shift;
  }
  return shade;
}

PiePolygon TopFace(const PieRect& box, const PieSlice& slice) {
  const Ellipse e = EllipseOf(box);
  PiePolygon face;
  const bool full = slice.to - slice.from >= 360.0 - 1e-9;
  if (!full) face.push_back({static_cast<int>(std::lround(e.cx)), static_cast<int>(std::lround(e.cy))});
  AppendArc(face, e, slice.from, full ? slice.from + 360.0 : slice.to);
  return face;
}

PiePolygon SideFace(const PieRect& box, int thickness, const PieSlice& slice) {
  const double from = std::max(slice.from, 180.0);
  const double to = std::min(slice.to, 360.0);
  PiePolygon face;
  if (to <= from || thickness <= 0) return face;
  const Ellipse e = EllipseOf(box);
  AppendArc(face, e, from, to);
  AppendArc(face, e, to, from, thickness);
  return face;
}

std::vector<std::size_t> SideFaceOrder(std::span<const PieSlice> slices) {
  std::vector<std::size_t> order;
  std::vector<double> distance;
  for (std::size_t i = 0; i < slices.size(); ++i) {
    const double from = std::max(slices[i].from, 180.0);
    const double to = std::min(slices[i].to, 360.0);
    if (to <= from) continue;
    order.push_back(i);
    // The nearest point of the face's arc to six o'clock decides its depth.
    distance.push_back(to < 270.0 ? 270.0 - to : from > 270.0 ? from - 270.0 : 0.0);
  }
  std::vector<std::size_t> sorted(order.size());
  for (std::size_t i = 0; i < sorted.size(); ++i) sorted[i] = i;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [&](std::size_t l, std::size_t r) { return distance[l] > distance[r]; });
  std::vector<std::size_t> result;
  result.reserve(sorted.size());
  for (std::size_t i : sorted) result.push_back(order[i]);
  return result;
}

PieLayout LayoutPieChart(int width, int height, int lineHeight, int legendTextWidth, std::size_t items) {
  PieLayout layout;
  lineHeight = std::max(lineHeight, 1);
  layout.title = {0, kMargin / 2, width, kMargin / 2 + lineHeight};

  const int bodyTop = layout.title.bottom + kMargin / 2;
  const int bodyBottom = std::max(bodyTop, height - kMargin / 2);

  // The legend: one row per item under the unit row, centred in the body.
  const int rowHeight = lineHeight + 2;
  const int swatch = std::max(lineHeight - 4, 4);
  const int legendWidth = std::min(swatch + kSwatchGap + std::max(legendTextWidth, 0), width / 2);
  const int legendLeft = width - kMargin - legendWidth;
  const int rows = static_cast<int>(items) + 1;
  const int legendTop = bodyTop + std::max(0, (bodyBottom - bodyTop - rows * rowHeight) / 2);
  for (int row = 0; row < rows; ++row) {
    const int top = legendTop + row * rowHeight;
    LegendRow r;
    r.text = {legendLeft + swatch + kSwatchGap, top, width, top + rowHeight};
    if (row == 0) {
      r.text.left = legendLeft;
    } else {
      const int swatchTop = top + (rowHeight - swatch) / 2;
      r.swatch = {legendLeft, swatchTop, legendLeft + swatch, swatchTop + swatch};
    }
    layout.legend.push_back(r);
  }

  // The pie: twice as wide as high, its edge an eighth of its width deep.
  const int areaLeft = kMargin;
  const int areaRight = std::max(areaLeft, legendLeft - kMargin);
  const int areaWidth = areaRight - areaLeft;
  const int areaHeight = bodyBottom - bodyTop;
  const int pieWidth = std::max(0, std::min(areaWidth, areaHeight * 8 / 5)) / 8 * 8;
  const int pieHeight = pieWidth / 2;
  layout.thickness = pieWidth / 8;
  const int left = areaLeft + (areaWidth - pieWidth) / 2;
  const int top = bodyTop + (areaHeight - pieHeight - layout.thickness) / 2;
  layout.pie = {left, top, left + pieWidth, top + pieHeight};
  return layout;
}

Text LegendUnitText(std::string_view unit) { return JoinText("单位:", unit); }

Text LegendItemText(std::string_view name, double value, double sum) {
  const double share = sum > 0 ? value / sum * 100.0 : 0.0;
  return JoinText(name, " ", FormatNumberText(value, 0), "[", FormatNumberText(share, 0), "%]");
}
