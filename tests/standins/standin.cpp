// A recording stand-in for one of the system's tools (chkdsk.exe,
// cleanmgr.exe, dfrgui.exe, the console host that opens dfrg.msc). Built
// once and copied under each tool's name. When started it appends one line to
// a log and exits at once, showing no window:
//   <its own full path> TAB <its command line> CR LF
// in UTF-8. The log is the file that KESTRUNE_STANDIN_LOG names, or
// standin.log beside the stand-in.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                        nullptr);
  return bytes;
}

std::wstring OwnPath() {
  std::wstring path(32768, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

std::wstring LogPath(const std::wstring& ownPath) {
  std::wstring named(32768, L'\0');
  const DWORD length = ::GetEnvironmentVariableW(L"KESTRUNE_STANDIN_LOG", named.data(),
                                                 static_cast<DWORD>(named.size()));
  if (length > 0 && length < named.size()) return named.substr(0, length);
  return ownPath.substr(0, ownPath.find_last_of(L'\\') + 1) + L"standin.log";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::wstring own = OwnPath();
  const std::string line = Utf8(own) + "\t" + Utf8(::GetCommandLineW()) + "\r\n";
  HANDLE log = ::CreateFileW(LogPath(own).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  ::CloseHandle(log);
  return ok ? 0 : 1;
}
