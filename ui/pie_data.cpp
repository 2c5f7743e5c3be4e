#include "ui/pie_data.h"

#include <algorithm>

void SetPieItemCount(PieData& data, int count) {
  data.items.resize(static_cast<std::size_t>(std::clamp(count, kMinPieItems, kMaxPieItems)));
  data.current = 0;
}

void SetPieCurrentItem(PieData& data, int index) {
  data.current = index >= 0 && static_cast<std::size_t>(index) < data.items.size() ? static_cast<std::size_t>(index) : 0;
}

void SetPieItemName(PieData& data, std::string_view name) { data.items[data.current].name.assign(name); }

void SetPieItemColour(PieData& data, std::uint32_t colour) { data.items[data.current].colour = colour; }

double ClampPieValue(double value) {
  if (!(value > 0)) return 0;  // negative, zero or not a number
  return std::min(value, kMaxPieValue);
}

void SetPieItemValue(PieData& data, double value) { data.items[data.current].value = ClampPieValue(value); }

double PieValueSum(const PieData& data) {
  double sum = 0;
  for (const PieItem& item : data.items) sum += item.value;
  return sum;
}
