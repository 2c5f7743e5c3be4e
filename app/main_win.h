#pragma once
// Start-up and shutdown of the program.

// The program's entry procedure: prepares the process, creates the drive
// record, shows the main window and runs until it is gone. Always 0.
int ProgramMain();
// Creates the all-zero drive record in `driveInfo`; fatal without memory.
void CreateDriveInfo();
// The exit procedure: releases the record's label, its drive text, then the
// record.
void ReleaseDriveInfo();
