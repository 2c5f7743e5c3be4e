#pragma once
// The main window's set-up, while it is still hidden. Win32 layer.

// Flat visual style, the three shell icons in the picture boxes, two chart
// items and the first drive display refresh.
void OnMainWindowCreated();
