#include "ui/pie_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/pie_data.h"

namespace {

TEST(PieSlices, CoverTheCircleClockwiseFromNineOClockInItemOrder) {
  struct Case {
    std::vector<double> values;
    std::vector<PieSlice> slices;
  };
  const Case cases[] = {
      {{30, 10}, {{0, 0, 270}, {1, 270, 360}}},
      {{10}, {{0, 0, 360}}},
      {{0, 5, 0, 15}, {{1, 0, 90}, {3, 90, 360}}},  // empty items get no slice
      {{1, 1, 1}, {{0, 0, 120}, {1, 120, 240}, {2, 240, 360}}},
      {{0, 0}, {}},  // nothing to show
      {{}, {}},
  };
  for (const Case& c : cases) {
    const auto slices = PieSlices(c.values);
    ASSERT_EQ(slices.size(), c.slices.size());
    for (std::size_t i = 0; i < slices.size(); ++i) {
      EXPECT_EQ(slices[i].item, c.slices[i].item);
      EXPECT_NEAR(slices[i].from, c.slices[i].from, 1e-9);
      EXPECT_NEAR(slices[i].to, c.slices[i].to, 1e-9);
    }
  }
}

TEST(PieSlices, ClosesTheCircleDespiteRounding) {
  const std::vector<double> values(7, 1.0 / 3.0);
  const auto slices = PieSlices(values);
  ASSERT_EQ(slices.size(), 7u);
  EXPECT_EQ(slices.back().to, 360.0);
  for (std::size_t i = 1; i < slices.size(); ++i) EXPECT_EQ(slices[i].from, slices[i - 1].to);
}

TEST(SideShade, HalvesEachChannelAfterAddingTen) {
  EXPECT_EQ(SideShade(0xFF0000), 0x840505u);
  EXPECT_EQ(SideShade(0xFF00FF), 0x840584u);
  EXPECT_EQ(SideShade(0x000A0AC8), 0x0A0A69u);
  EXPECT_EQ(SideShade(0x000000), 0x050505u);
}

const PieRect kBox{10, 20, 210, 120};  // centre (110, 70), radii 100 and 50

TEST(PieFaces, TopFaceRunsFromTheCentreAlongTheArc) {
  const PiePolygon quarter = TopFace(kBox, {0, 0, 90});
  ASSERT_GE(quarter.size(), 3u);
  EXPECT_EQ(quarter.front(), (PiePoint{110, 70}));
  EXPECT_EQ(quarter[1], (PiePoint{10, 70}));      // nine o'clock
  EXPECT_EQ(quarter.back(), (PiePoint{110, 20}));  // twelve o'clock
  for (const PiePoint& p : quarter) {  // the upper left quarter only
    EXPECT_LE(p.x, 110);
    EXPECT_LE(p.y, 70);
  }

  const PiePolygon full = TopFace(kBox, {0, 0, 360});
  EXPECT_EQ(full.front(), (PiePoint{10, 70}));  // no centre point in a full circle
  EXPECT_EQ(full.back(), full.front());
  const auto [minY, maxY] = std::minmax_element(full.begin(), full.end(), [](auto a, auto b) { return a.y < b.y; });
  EXPECT_EQ(minY->y, 20);
  EXPECT_EQ(maxY->y, 120);
}

TEST(PieFaces, SideFaceShowsOnlyTheNearHalfOfTheArc) {
  EXPECT_TRUE(SideFace(kBox, 12, {0, 0, 180}).empty());  // wholly at the back
  EXPECT_TRUE(SideFace(kBox, 0, {0, 0, 360}).empty());   // no thickness

  // 0 to 270 shows from three o'clock to six o'clock and down by the thickness.
  const PiePolygon side = SideFace(kBox, 12, {0, 0, 270});
  ASSERT_GE(side.size(), 4u);
  EXPECT_EQ(side.front(), (PiePoint{210, 70}));
  EXPECT_EQ(side.back(), (PiePoint{210, 82}));
  EXPECT_NE(std::find(side.begin(), side.end(), PiePoint{110, 120}), side.end());
  EXPECT_NE(std::find(side.begin(), side.end(), PiePoint{110, 132}), side.end());
  for (const PiePoint& p : side) {
    EXPECT_GE(p.x, 110);
    EXPECT_GE(p.y, 70);
    EXPECT_LE(p.y, 132);
  }
}

TEST(PieFaces, FarthestSideFacesArePaintedFirst) {
  const PieSlice slices[] = {{0, 0, 200}, {1, 200, 260}, {2, 260, 300}, {3, 300, 360}};
  EXPECT_EQ(SideFaceOrder(slices), (std::vector<std::size_t>{0, 3, 1, 2}));
  const PieSlice back[] = {{0, 0, 170}, {1, 170, 360}};
  EXPECT_EQ(SideFaceOrder(back), (std::vector<std::size_t>{1}));
}

bool Inside(const PieRect& inner, const PieRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

TEST(PieLayout, TitleOnTopPieAtTheLeftLegendAtTheRight) {
  // The main window's chart: 336 x 144.
  const PieRect control{0, 0, 336, 144};
  const PieLayout layout = LayoutPieChart(336, 144, 13, 110, 2);
  EXPECT_EQ(layout.title.left, 0);
  EXPECT_EQ(layout.title.right, 336);
  EXPECT_LT(layout.title.top, 8);

  EXPECT_EQ(layout.pie.width(), 2 * layout.pie.height());
  EXPECT_EQ(layout.thickness, layout.pie.width() / 8);
  EXPECT_GE(layout.pie.width(), 150);  // as large as the space allows
  EXPECT_GE(layout.pie.top, layout.title.bottom);
  EXPECT_LE(layout.pie.bottom + layout.thickness, 144);
  EXPECT_GE(layout.pie.left, 0);

  ASSERT_EQ(layout.legend.size(), 3u);
  EXPECT_EQ(layout.legend[0].swatch, PieRect{});  // the unit row
  for (std::size_t i = 1; i < layout.legend.size(); ++i) {
    const LegendRow& row = layout.legend[i];
    EXPECT_TRUE(Inside(row.swatch, control));
    EXPECT_LT(row.swatch.right, row.text.left);
    EXPECT_GT(row.swatch.left, layout.pie.right);
    EXPECT_EQ(row.text.top, layout.legend[i - 1].text.bottom);
    EXPECT_GE(row.text.width(), 110);
  }
  EXPECT_EQ(layout.legend[0].text.left, layout.legend[1].swatch.left);
}

TEST(PieLayout, StaysInsideTinyAndCrowdedControls) {
  for (auto [w, h, items] : {std::tuple{0, 0, 1}, {10, 10, 2}, {336, 144, 100}, {50, 400, 2}}) {
    const PieLayout layout = LayoutPieChart(w, h, 13, 500, static_cast<std::size_t>(items));
    EXPECT_GE(layout.pie.width(), 0);
    if (layout.pie.width() > 0) {
      EXPECT_GE(layout.pie.left, 0);
      EXPECT_LE(layout.pie.right, layout.legend[1].swatch.left);
      EXPECT_LE(layout.pie.bottom + layout.thickness, h);
    }
    EXPECT_EQ(layout.legend.size(), static_cast<std::size_t>(items) + 1);
    EXPECT_LE(layout.legend[1].swatch.left, w);  // a long legend keeps to the right half
    EXPECT_GE(layout.legend[1].swatch.left, w / 2 - 6);
  }
}

TEST(PieLegend, RowTexts) {
  EXPECT_EQ(LegendUnitText("MB"), "单位:MB");
  EXPECT_EQ(LegendItemText("己用空间", 30, 40), "己用空间 30[75%]");
  EXPECT_EQ(LegendItemText("可用空间", 10, 40), "可用空间 10[25%]");
  EXPECT_EQ(LegendItemText("x", 1, 3), "x 1[33%]");
  EXPECT_EQ(LegendItemText("x", 2, 3), "x 2[67%]");
  EXPECT_EQ(LegendItemText("", 2.5, 5), " 3[50%]");
  EXPECT_EQ(LegendItemText("a", 0, 7), "a 0[0%]");
  EXPECT_EQ(LegendItemText("a", 10000000, 10000000), "a 10000000[100%]");
}

TEST(PieData, ItemCountIsClampedAndKeepsTheItemsBelowIt) {
  PieData data;
  data.items[0] = {Text("数据项1"), 0x00FF0000, 10};
  for (auto [asked, count] : {std::pair{2, 2}, {0, 1}, {-5, 1}, {101, 100}, {100, 100}, {3, 3}}) {
    data.current = 1;
    SetPieItemCount(data, asked);
    ASSERT_EQ(data.items.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(data.current, 0u);
    EXPECT_EQ(data.items[0].name, "数据项1");
    EXPECT_EQ(data.items[0].colour, 0x00FF0000u);
    EXPECT_EQ(data.items[0].value, 10);
  }
  for (std::size_t i = 1; i < data.items.size(); ++i) {
    EXPECT_EQ(data.items[i].name, "");
    EXPECT_EQ(data.items[i].colour, 0x000A0AC8u);
    EXPECT_EQ(data.items[i].value, 0);
  }
}

TEST(PieData, WritesGoToTheCurrentItem) {
  PieData data;
  SetPieItemCount(data, 3);
  for (auto [index, current] : {std::pair{2, 2}, {3, 0}, {-1, 0}, {1, 1}}) {
    SetPieCurrentItem(data, index);
    EXPECT_EQ(data.current, static_cast<std::size_t>(current));
  }
  SetPieItemName(data, "可用空间");
  SetPieItemColour(data, 0xFF00FF);
  SetPieItemValue(data, 25);
  EXPECT_EQ(data.items[1].name, "可用空间");
  EXPECT_EQ(data.items[1].colour, 0xFF00FFu);
  EXPECT_EQ(data.items[1].value, 25);
  EXPECT_EQ(data.items[0].name, "");
  EXPECT_EQ(PieValueSum(data), 25);
}

TEST(PieData, ValuesAreClampedToZeroToTenMillion) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (auto [in, out] : {std::pair{5.5, 5.5}, {-1.0, 0.0}, {-0.0, 0.0}, {nan, 0.0}, {1e8, 1e7}, {1e7, 1e7},
                         {inf, 1e7}, {-inf, 0.0}}) {
    EXPECT_EQ(ClampPieValue(in), out) << in;
  }
}

}  // namespace
