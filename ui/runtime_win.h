#pragma once
// The window runtime: builds the main window from its form, dispatches the
// form's events to the program, runs the message loop, and reads and writes
// the controls' properties. Win32 layer.

#include <windows.h>

#include <cstdint>
#include <span>
#include <string_view>

#include "drive/text.h"
#include "ui/form.h"

// --- Start-up, lifetime and shutdown ----------------------------------------
// Process heap for texts, OLE on this thread, current directory := the
// program file's folder, the form read. Fatal when the form cannot be read.
void StartRuntime();
// The one exit procedure: runs once after an orderly end of the loop.
void RegisterExitCallback(void (*callback)());
// What the program does for each bound event.
void SetEventDispatcher(void (*dispatch)(Handler handler));
// Builds the window and its controls, fires creation-complete while hidden,
// then shows the window. Fatal when the window cannot be created.
void LoadStartupWindow(ControlId windowId);
// The keyboard's say over each key message before it is translated and
// dispatched: the filter returns true when it has consumed the key.
void SetKeyFilter(bool (*filter)(MSG& msg));
// Until the quit message; at once when no window exists. Returns its code.
int RunMessageLoop();
// Marks the window and posts the request; it is destroyed after the calling
// handler has returned (or at once with `atOnce`).
void RequestWindowDestroy(ControlId windowId, bool atOnce = false);
// Error box without owner, then exit code -1 without the exit procedure.
[[noreturn]] void ReportFatalError(std::string_view message);
// The exit clean-up after ProgramMain returned: exit procedure, OLE.
void RunExitCleanup();

// --- Controls of the main window ---------------------------------------------
HWND MainWindow();
HWND ControlWindow(ControlId id);
// Edit box text or label/button caption.
void WriteControlText(ControlId id, std::string_view text);
Text ReadControlText(ControlId id);
// A picture box's picture from the bytes of an image file (BMP, JPEG, ICO,
// CUR, GIF); empty or unrecognised bytes clear the box.
void WritePicture(ControlId id, std::span<const std::uint8_t> bytes);
// The drive selector's current drive: one upper-case letter, never empty.
Text ReadCurrentDrive(ControlId id);
