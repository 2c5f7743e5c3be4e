// The drive queries' platform: the Win32 calls behind DrivePlatform.
//
// Every call runs with critical-error boxes turned off, so that asking about
// a removable drive without media fails quietly instead of showing the
// system's "no disk in drive" box. Labels cross the platform in UTF-16 and
// are converted from and to the program's GBK here, so that they come out
// right whatever the system's ANSI code page is.

#include <windows.h>

#include <string>

#include "drive/drive_info.h"

namespace {

constexpr UINT kGbk = 936;

// Turns critical-error and open-file boxes off for its lifetime and then puts
// the process's previous error mode back.
class QuietDriveErrors {
 public:
  static constexpr UINT kQuiet = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
  QuietDriveErrors() : previous_(::SetErrorMode(kQuiet)) { ::SetErrorMode(previous_ | kQuiet); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;
  ~QuietDriveErrors() { ::SetErrorMode(previous_); }

 private:
  UINT previous_;
};

Text GbkFromWide(const wchar_t* wide, int length) {
  Text text;
  if (length <= 0) return text;
  const int bytes = ::WideCharToMultiByte(kGbk, 0, wide, length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return text;
  text.resize(static_cast<std::size_t>(bytes));
  ::WideCharToMultiByte(kGbk, 0, wide, length, text.data(), bytes, nullptr, nullptr);
  return text;
}

// A UTF-16 copy of a GBK text, in program memory. False when the text is not
// valid GBK: a label that cannot be converted is refused, never cut or
// replaced.
using WideText = std::basic_string<wchar_t, std::char_traits<wchar_t>, ProgramAllocator<wchar_t>>;

bool WideFromGbk(const char* text, WideText& wide) {
  wide.clear();
  const int length = static_cast<int>(std::char_traits<char>::length(text));
  if (length == 0) return true;
  const int chars = ::MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, text, length, nullptr, 0);
  if (chars <= 0) return false;
  wide.resize(static_cast<std::size_t>(chars));
  return ::MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, text, length, wide.data(), chars) == chars;
}

WideText WideRoot(const char* root) { return WideText{wchar_t(root[0]), L':', L'\\'}; }

bool VolumeName(const char* root, Text& name) {
  // 500 bytes, as large as any file system's label.
  wchar_t buffer[250];
  buffer[0] = L'\0';
  DWORD maxComponentLength = 0;
  DWORD fileSystemFlags = 0;
  const QuietDriveErrors quiet;
  const BOOL ok = ::GetVolumeInformationW(WideRoot(root).c_str(), buffer, 250, nullptr, &maxComponentLength,
                                          &fileSystemFlags, nullptr, 0);
  if (!ok) {
    buffer[0] = L'\0';
    name.clear();
    return false;
  }
  buffer[249] = L'\0';
  name = GbkFromWide(buffer, static_cast<int>(::lstrlenW(buffer)));
  return true;
}

using FreeSpaceExFunction = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

// Looked up on every call: systems before Windows 95 OSR2 do not have it.
FreeSpaceExFunction LookUpFreeSpaceEx() {
  const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  if (kernel == nullptr) return nullptr;
  // Through void(*)(), which GCC accepts as a cast to any function type.
  return reinterpret_cast<FreeSpaceExFunction>(
      reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "GetDiskFreeSpaceExA")));
}

bool HasFreeSpaceEx() { return LookUpFreeSpaceEx() != nullptr; }

bool FreeSpaceEx(const char* root, std::uint64_t& availableToCaller, std::uint64_t& totalBytes) {
  const FreeSpaceExFunction freeSpaceEx = LookUpFreeSpaceEx();
  if (freeSpaceEx == nullptr) return false;
  ULARGE_INTEGER available{};
  ULARGE_INTEGER total{};
  ULARGE_INTEGER totalFree{};
  const QuietDriveErrors quiet;
  if (!freeSpaceEx(root, &available, &total, &totalFree)) return false;
  availableToCaller = available.QuadPart;
  totalBytes = total.QuadPart;
  return true;
}

bool FreeSpace(const char* root, std::uint32_t& sectorsPerCluster, std::uint32_t& bytesPerSector,
               std::uint32_t& freeClusters, std::uint32_t& totalClusters) {
  DWORD sectors = 0;
  DWORD bytes = 0;
  DWORD free = 0;
  DWORD total = 0;
  const QuietDriveErrors quiet;
  if (!::GetDiskFreeSpaceA(root, &sectors, &bytes, &free, &total)) return false;
  sectorsPerCluster = sectors;
  bytesPerSector = bytes;
  freeClusters = free;
  totalClusters = total;
  return true;
}

bool SetLabel(const char* root, const char* label) {
  WideText wide;
  if (!WideFromGbk(label, wide)) return false;
  const QuietDriveErrors quiet;
  // An empty label removes the volume's label. It is passed as "" and not as
  // null, which some implementations of the call do not accept.
  return ::SetVolumeLabelW(WideRoot(root).c_str(), wide.c_str()) != FALSE;
}

Text CurrentDirectory() {
  WideText directory(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
    if (length == 0) return Text();
    if (length < directory.size()) return GbkFromWide(directory.data(), static_cast<int>(length));
    directory.resize(length);  // too small: `length` is the size needed, terminator included
  }
}

const DrivePlatform systemPlatform = {
    VolumeName, HasFreeSpaceEx, FreeSpaceEx, FreeSpace, SetLabel, CurrentDirectory,
};

}  // namespace

const DrivePlatform& SystemDrivePlatform() { return systemPlatform; }
