// The program as a process: it comes up in its own folder whatever folder it
// was started from, ends with exit code 0 when its window is closed, and
// with -1 after a fatal error, which it reports in an error box first. Uses
// the test build of the program (KestruneTest.exe, beside this test), which
// takes a fault to inject from KESTRUNE_FAULT.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <cwctype>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kPatienceMs = 20000;  // bound of every wait below

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.resize(folder.rfind(L'\\') + 1);
  return folder + L"KestruneTest.exe";
}

struct Found {
  DWORD processId;
  const wchar_t* className;
  HWND window;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<Found*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  if (owner != found->processId || lstrcmpW(className, found->className) != 0 || !IsWindowVisible(window)) return TRUE;
  found->window = window;
  return FALSE;
}

// The program, started and always ended (killed if a test gives up on it).
class Program {
 public:
  Program(const wchar_t* fault, const wchar_t* workingFolder) {
    SetEnvironmentVariableW(L"KESTRUNE_FAULT", fault);
    std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, workingFolder,
                              &startup, &info_) != FALSE;
    SetEnvironmentVariableW(L"KESTRUNE_FAULT", nullptr);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, kPatienceMs);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  bool started() const { return started_; }
  // A shown top-level window of the program's with that class, polled.
  HWND WaitForWindow(const wchar_t* className) const {
    for (DWORD start = GetTickCount(); GetTickCount() - start < kPatienceMs; Sleep(20)) {
      Found found{info_.dwProcessId, className, nullptr};
      EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&found));
      if (found.window != nullptr) return found.window;
      if (WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
  }
  bool HasWindow(const wchar_t* className) const {
    Found found{info_.dwProcessId, className, nullptr};
    EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&found));
    return found.window != nullptr;
  }
  // The exit code, or STILL_ACTIVE when it did not end in time.
  DWORD WaitForExit() const {
    WaitForSingleObject(info_.hProcess, kPatienceMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION info_{};
};

TEST(RuntimeProgram, RunsInItsOwnFolderAndExitsWithZeroWhenClosed) {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);  // C:, while the program lies elsewhere
  Program program(nullptr, windows);
  ASSERT_TRUE(program.started());
  HWND window = program.WaitForWindow(L"WTWindow");
  ASSERT_NE(window, nullptr);
  HWND container = GetDlgItem(window, 0x16010003);
  HWND selector = GetDlgItem(container, 0x16010014);
  ASSERT_NE(selector, nullptr);
  const LRESULT selected = SendMessageW(selector, CB_GETCURSEL, 0, 0);
  ASSERT_NE(selected, CB_ERR);
  wchar_t item[128] = {};
  SendMessageW(selector, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(item));
  EXPECT_EQ(towupper(item[0]), towupper(ProgramPath()[0])) << "the drive of the program file";
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(RuntimeProgram, FatalErrorsShowAnErrorBoxThenExitWithMinusOne) {
  struct Case {
    const wchar_t* fault;
    const wchar_t* words;  // in the box's message
  };
  const Case cases[] = {
      {L"form", L"\u7a97\u53e3\u6a21\u677f"},  // 窗口模板
      {L"window", L"\u4e3b\u7a97\u53e3"},      // 主窗口
      {L"record-memory", L"\u5b57\u8282"},     // 字节, after the byte count
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "fault " << (&c - cases));
    Program program(c.fault, nullptr);
    ASSERT_TRUE(program.started());
    HWND box = program.WaitForWindow(L"#32770");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_FALSE(program.HasWindow(L"WTWindow")) << "no window shown before the error";
    wchar_t message[256] = {};
    GetDlgItemTextW(box, 0xFFFF, message, 256);
    EXPECT_NE(std::wstring(message).find(c.words), std::wstring::npos);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.WaitForExit(), 0xFFFFFFFFu);
  }
}

// The program file's resources: the icon group, the version block and the
// manifest that asks for version 6 of the common controls.
TEST(RuntimeProgram, CarriesIconVersionAndManifest) {
  HMODULE file = LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(file, nullptr);
  auto bytesOf = [file](LPCWSTR name, LPCWSTR type) {
    HRSRC found = FindResourceW(file, name, type);
    if (found == nullptr) return std::string();
    const auto* data = static_cast<const char*>(LockResource(LoadResource(file, found)));
    return std::string(data, SizeofResource(file, found));
  };

  // GRPICONDIR: 6-byte header, then 14-byte entries (width, height, ..., bit count at 6).
  const std::string group = bytesOf(L"DEFAULT_ICON", MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_EQ(group.size(), 6u + 6 * 14);
  std::vector<std::pair<int, int>> images;
  for (int i = 0; i < 6; ++i) {
    const auto* entry = reinterpret_cast<const unsigned char*>(group.data() + 6 + 14 * i);
    images.emplace_back(entry[0], entry[6]);
  }
  const std::vector<std::pair<int, int>> expected = {{48, 8}, {48, 32}, {32, 8}, {32, 32}, {16, 8}, {16, 32}};
  EXPECT_EQ(images, expected);

  const std::string version = bytesOf(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16));  // RT_VERSION
  const std::wstring wide(reinterpret_cast<const wchar_t*>(version.data()), version.size() / 2);
  for (const wchar_t* text : {L"080404B0", L"FileVersion", L"ProductVersion", L"1.0.0.0", L"ProductName", L"Kestrune"}) {
    EXPECT_NE(wide.find(text), std::wstring::npos) << static_cast<const void*>(text);
  }
  const auto fixed = version.find("\xBD\x04\xEF\xFE");  // VS_FIXEDFILEINFO signature
  ASSERT_NE(fixed, std::string::npos);
  VS_FIXEDFILEINFO info;
  memcpy(&info, version.data() + fixed, sizeof info);
  EXPECT_EQ(info.dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(info.dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(info.dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
  EXPECT_EQ(info.dwFileType, static_cast<DWORD>(VFT_APP));

  const std::string manifest = bytesOf(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  for (const char* text : {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", "6595b64144ccf1df",
                           "version=\"5.1.0.0\"", "processorArchitecture=\"x86\"", "type=\"win32\""}) {
    EXPECT_NE(manifest.find(text), std::string::npos) << text;
  }
  FreeLibrary(file);
}

}  // namespace
