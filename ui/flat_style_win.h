#pragma once
// The program's visual styles for the windows of the calling thread.
// Style 1 is the flat look: push, check and radio buttons, group boxes, edit
// fields, drop-down lists with their list part and up-down controls are drawn
// flat with a blue border, without changing what they do. Windows that exist
// are restyled at once, windows created later as they are created. Labels,
// tab strips, the pie chart and picture boxes keep their own look. Win32 layer.

#include <windows.h>

// Switches style `style` on for this thread; style 0 only switches off.
// Switching on again first switches off.
void VisualStyleOn(int style);
// Every restyled window gets its previous window procedure back; windows
// created from now on keep the system's look.
void VisualStyleOff();
// Whether `window` is drawn in the flat look now.
bool HasFlatStyle(HWND window);

// The flat look's border colour, 0x00BBGGRR.
inline constexpr COLORREF kFlatBorderColour = 0xBD9E7B;
