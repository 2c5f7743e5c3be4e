#pragma once
// Where the pie chart puts things: the slices' angles, the title, the pie's
// box with its tilt and thickness, the side faces in painter's order, the
// legend rows and their texts. Plain structs and pure functions; the control
// only fills the polygons and draws the texts these describe.
//
// Angles are in degrees, measured clockwise on screen from the nine o'clock
// point of the pie: 90 is twelve o'clock, 180 three o'clock, 270 six o'clock.
// The half from 180 to 360 is the near side, where the pie's edge shows.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "drive/text.h"

struct PiePoint {
  int x = 0;
  int y = 0;
  bool operator==(const PiePoint&) const = default;
};

struct PieRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const PieRect&) const = default;
};

using PiePolygon = std::vector<PiePoint>;

// The part of the pie one item covers.
struct PieSlice {
  std::size_t item = 0;  // index of the data item
  double from = 0;       // start angle
  double to = 0;         // end angle, from + 360 × value ÷ sum
};

// The slices of the items with a value above zero, in item order, clockwise
// from nine o'clock. None when the values add up to zero or less.
std::vector<PieSlice> PieSlices(std::span<const double> values);

// The side of a slice's colour: each channel c becomes (c + 10) ÷ 2.
std::uint32_t SideShade(std::uint32_t colour);

// The outline of a slice's top face inside `box` (the top ellipse's bounding
// box): the centre, then the arc. A full circle is the arc alone.
PiePolygon TopFace(const PieRect& box, const PieSlice& slice);

// The visible edge of a slice: the part of its arc on the near side, and the
// same arc `thickness` pixels lower. Empty when the slice lies wholly on the
// far side.
PiePolygon SideFace(const PieRect& box, int thickness, const PieSlice& slice);

// The slices whose side faces show, in the order to paint them so that the
// nearer ones cover the farther ones: farthest from six o'clock first.
std::vector<std::size_t> SideFaceOrder(std::span<const PieSlice> slices);

// One row of the legend: the unit row has no swatch (an empty rectangle).
struct LegendRow {
  PieRect swatch;
  PieRect text;  // single line, left aligned, centred vertically
};

struct PieLayout {
  PieRect title;    // the title is centred in this rectangle
  PieRect pie;      // the top ellipse's bounding box
  int thickness = 0;  // depth of the pie's edge, below `pie`
  std::vector<LegendRow> legend;  // the unit row, then one row per item
};

// Places everything in a control of `width` × `height` pixels. `lineHeight`
// is the height of one line of the text font; `legendTextWidth` the widest
// legend text; `items` the number of data items. The legend sits at the
// right, the pie fills the space left of it: its width is twice its height
// (the tilt) and its edge is an eighth of its width deep (the thickness),
// as large as the space allows.
PieLayout LayoutPieChart(int width, int height, int lineHeight, int legendTextWidth, std::size_t items);

// The legend's texts: "单位:" and the unit; and for an item its name, a
// blank, the value without decimals, "[", the share of the sum in per cent
// without decimals and "%]".
Text LegendUnitText(std::string_view unit);
Text LegendItemText(std::string_view name, double value, double sum);
