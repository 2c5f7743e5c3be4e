#pragma once
// The main window's own keys, looked at before the focused control gets
// them: Esc closes the window, Tab and Shift+Tab move through the focus
// cycle, Alt with an access key clicks the button it marks, F1 does nothing.
// Win32 layer.

#include <windows.h>

// The message loop's key filter: true when the key was the window's and has
// been consumed.
bool FilterMainWindowKey(MSG& msg);


// Gives the focus to the control that takes it when `page` is selected; on a
// page without one the focus stays where it is.
void FocusFirstControlOfPage(int page);
