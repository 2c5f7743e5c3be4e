#pragma once
// The pie chart control's properties. Every write only marks the chart for
// redrawing; the next paint shows the state after all writes. The title is
// the chart's window text (WriteControlText). Win32 layer.

#include <windows.h>

#include <cstdint>
#include <string_view>

// Clamped to 1 to 100 items; new items are empty, 0x000A0AC8, 0; item 0
// becomes current.
void PieChartSetItemCount(HWND chart, int count);
// An index outside the items makes item 0 current.
void PieChartSetCurrentItem(HWND chart, int index);
// Name, colour (0x00BBGGRR, used as given) and value (clamped to 0 to
// 10,000,000; negative or not a number: 0) of the current item.
void PieChartSetItemName(HWND chart, std::string_view name);
void PieChartSetItemColour(HWND chart, std::uint32_t colour);
void PieChartSetItemValue(HWND chart, double value);
// The legend's unit text.
void PieChartSetUnit(HWND chart, std::string_view unit);
