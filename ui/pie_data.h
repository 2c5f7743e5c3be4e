#pragma once
// The pie chart's data: its items, the current item that item writes go to,
// the title and the unit text, and the rules every write follows.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "drive/text.h"

struct PieItem {
  Text name;
  std::uint32_t colour = 0x000A0AC8;  // 0x00BBGGRR, used as given
  double value = 0;                   // 0 to kMaxPieValue
};

inline constexpr int kMinPieItems = 1;
inline constexpr int kMaxPieItems = 100;
inline constexpr double kMaxPieValue = 10'000'000.0;

struct PieData {
  Text title;
  Text unit;
  std::vector<PieItem, ProgramAllocator<PieItem>> items{1};
  std::size_t current = 0;
};

// Clamped to 1 to 100 items; the kept items stay as they are, new ones are
// empty with colour 0x000A0AC8 and value 0; item 0 becomes current.
void SetPieItemCount(PieData& data, int count);
// An index outside the items makes item 0 current.
void SetPieCurrentItem(PieData& data, int index);
// Writes to the current item. A value is clamped to 0 to 10,000,000; a
// negative one or one that is not a number becomes 0.
void SetPieItemName(PieData& data, std::string_view name);
void SetPieItemColour(PieData& data, std::uint32_t colour);
void SetPieItemValue(PieData& data, double value);
double ClampPieValue(double value);
// The sum of all values, the whole of the pie.
double PieValueSum(const PieData& data);
