#include "app/commands_win.h"

#include <windows.h>

#include <shellapi.h>

#include "drive/drive_info.h"
#include "drive/format.h"
#include "drive/refresh_win.h"
#include "ui/gdi_win.h"
#include "ui/runtime_win.h"
#include "ui/text_win.h"

namespace {

bool IsFile(const Text& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// A folder the platform names through one of its Get...DirectoryA calls.
Text PlatformFolder(UINT(WINAPI* query)(LPSTR, UINT)) {
  char buffer[MAX_PATH];
  const UINT length = query(buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return Text(buffer, length);
}

// The system's message for `error` (Unicode, so that it reads right whatever
// the process's code page), or its number when the system has none.
WideText SystemMessage(DWORD error) {
  wchar_t* message = nullptr;
  const DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  WideText text = length != 0 ? WideText(message, length) : WideFromText(JoinText("Error ", FormatIntegerText(error, false)));
  ::LocalFree(message);
  return text;
}

// Tells the user that the label of `drive` was not written, and why; the
// window stays as it was, with the typed label selected for correcting (when
// the edit box is on the page shown).
void ReportRenameFailure(const Text& drive, DWORD error) {
  const Text intro = JoinText("无法更改驱动器 ", drive, ": 的卷标。");
  const WideText message = WideFromText(intro) + L"\r\n\r\n" + SystemMessage(error);
  ::MessageBoxW(MainWindow(), message.c_str(), WideFromText(MainWindowSpec().title).c_str(), MB_OK | MB_ICONERROR);
  if (HWND edit = ControlWindow(编辑框1); edit != nullptr && ::IsWindowVisible(edit)) {
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
  }
}

// Writes `label` as the volume label of `drive`; on failure tells the user
// why and answers false.
bool WriteLabel(const Text& drive, const Text& label) {
  // A drive text that names no drive fails before the system is asked and
  // leaves no error of its own.
  ::SetLastError(ERROR_SUCCESS);
  if (SetDiskVolumeLabel(SystemDrivePlatform(), drive, label)) return true;
  const DWORD error = ::GetLastError();
  ReportRenameFailure(drive, error != ERROR_SUCCESS ? error : ERROR_INVALID_DRIVE);
  return false;
}

}  // namespace

Text FindSystemTool(std::string_view fileName) {
  const Text system = PlatformFolder(::GetSystemDirectoryA);
  if (!system.empty()) {
    Text path = JoinText(system, "\\", fileName);
    if (IsFile(path)) return path;
  }
  // Sysnative exists only for 32-bit programs on 64-bit Windows; elsewhere
  // this path names no file and the tool is simply not there.
  const Text windows = PlatformFolder(::GetSystemWindowsDirectoryA);
  if (!windows.empty()) {
    Text path = JoinText(windows, "\\Sysnative\\", fileName);
    if (IsFile(path)) return path;
  }
  return {};
}

bool RunProgram(const Text& application, std::string_view commandLine) {
  Text line(commandLine);  // CreateProcessA may write into the command line
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
    return false;
  const OwnedHandle process(started.hProcess);
  const OwnedHandle thread(started.hThread);
  ::WaitForInputIdle(process.get(), 1000);
  return true;
}

void OpenDocument(const Text& file) {
  ::ShellExecuteA(nullptr, nullptr, file.c_str(), nullptr, "", SW_SHOWNORMAL);
}

void OnDriveSelectionChanged() { RefreshDriveDisplay(); }

void OnCheckDiskClicked() {
  const Text tool = FindSystemTool("chkdsk.exe");
  if (tool.empty()) return;
  const Text drive = ReadCurrentDrive(驱动器框1);
  RunProgram(tool, JoinText("chkdsk ", drive, ":/f"));
}

// The defragmenter's console document up to Windows XP; its program on every
// later Windows, which no longer has the document.
void OnDefragClicked() {
  if (const Text console = FindSystemTool("dfrg.msc"); !console.empty()) {
    OpenDocument(console);
  } else if (const Text program = FindSystemTool("dfrgui.exe"); !program.empty()) {
    RunProgram(program, "dfrgui");
  }
}

void OnDiskCleanupClicked() {
  if (const Text tool = FindSystemTool("cleanmgr.exe"); !tool.empty()) RunProgram(tool, "cleanmgr");
}

// Writes the edited label and closes the window. A label left as the display
// showed it is not written again (a rewrite could only lose characters the
// code page cannot hold, or fail for want of rights). A label that cannot be
// written keeps the window open with the typed text, after telling the user.
void OnOkClicked() {
  const Text drive = ReadCurrentDrive(驱动器框1);
  const Text label = ReadControlText(编辑框1);
  const bool unchanged = driveInfo != nullptr && label == driveInfo->volumeLabel;
  if (!unchanged && !WriteLabel(drive, label)) return;
  RequestWindowDestroy(kMainWindowId);
}

void OnCancelClicked() { RequestWindowDestroy(kMainWindowId); }
