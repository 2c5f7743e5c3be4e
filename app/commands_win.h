#pragma once
// The commands behind the drive selector and the five buttons, and the two
// ways they hand work to the system: starting a program and opening a
// document. Win32 layer.

#include <string_view>

#include "drive/text.h"

void OnDriveSelectionChanged();
void OnCheckDiskClicked();
void OnDefragClicked();
void OnDiskCleanupClicked();
void OnOkClicked();
void OnCancelClicked();

// The full path of one of the system's own tools: the file in the system
// directory or, when a 32-bit program on 64-bit Windows does not find it
// there (the system directory it sees is the 32-bit one), in the native
// system directory through %windir%\Sysnative. Empty when neither has it.
// Tools are never looked up by bare name, so a file of the same name beside
// the program (a Downloads folder) is never started instead.
Text FindSystemTool(std::string_view fileName);

// Starts `application` (a full path) with `commandLine`, in a normal window,
// and waits up to 1000 ms for it to become idle. True when it was started.
bool RunProgram(const Text& application, std::string_view commandLine);

// Opens `file` with its default verb.
void OpenDocument(const Text& file);
