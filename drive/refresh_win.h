#pragma once
// The drive display of the main window. Win32 layer.

// Queries the drive the drive selector shows and writes its label, sizes and
// chart into the edit box, the five labels and the pie chart.
void RefreshDriveDisplay();
