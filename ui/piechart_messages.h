#pragma once
// Private messages of the pie chart control that answer its state, so that
// another process (the window tests) can read what the chart shows. The
// title is the chart's window text. Every answer is a number:
//   kPieGetItemCount                      the number of data items
//   kPieGetItemColour    wParam = item    the item's colour (0x00BBGGRR), -1 for no such item
//   kPieGetItemValue     wParam = item    the item's value rounded to a whole number, -1 for no such item
//   kPieGetItemNameByte  wParam = item, lParam = i   byte i of the item's name (GBK), -1 past its end
//   kPieGetUnitByte      wParam = i       byte i of the unit text (GBK), -1 past its end
// Platform-free: the numbers only.

inline constexpr unsigned kPieMessageBase = 0x0400 + 0x200;  // WM_USER + 0x200
inline constexpr unsigned kPieGetItemCount = kPieMessageBase + 0;
inline constexpr unsigned kPieGetItemColour = kPieMessageBase + 1;
inline constexpr unsigned kPieGetItemValue = kPieMessageBase + 2;
inline constexpr unsigned kPieGetItemNameByte = kPieMessageBase + 3;
inline constexpr unsigned kPieGetUnitByte = kPieMessageBase + 4;
