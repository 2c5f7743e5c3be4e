// Finding the system's tools and starting them, on the real platform.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/commands_win.h"

namespace {

std::string Folder(UINT(WINAPI* query)(LPSTR, UINT)) {
  char buffer[MAX_PATH];
  return std::string(buffer, query(buffer, MAX_PATH));
}

std::string OwnFolder() {
  char buffer[MAX_PATH];
  std::string path(buffer, ::GetModuleFileNameA(nullptr, buffer, MAX_PATH));
  return path.substr(0, path.find_last_of('\\'));
}

bool CreateEmptyFile(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  return true;
}

std::string ReadFile(const std::string& path) {
  std::string bytes;
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  ::CloseHandle(file);
  return bytes;
}

std::string Found(const std::string& name) { return FindSystemTool(name).c_str(); }

// A file name that no system has, one per test process.
std::string ProbeName(const char* stem) { return stem + std::to_string(::GetCurrentProcessId()) + ".exe"; }

TEST(SystemTool, SystemDirectoryFirstThenTheNativeOne) {
  const std::string system = Folder(::GetSystemDirectoryA);
  const std::string sysnative = Folder(::GetSystemWindowsDirectoryA) + "\\Sysnative";
  const std::string name = ProbeName("kestrune-probe-");
  const std::string inSystem = system + "\\" + name;
  const std::string inNative = sysnative + "\\" + name;

  EXPECT_EQ(Found(name), "") << "a tool that is nowhere";
  // A file of that name in the program's own (current) folder is not taken.
  ASSERT_TRUE(CreateEmptyFile(name));
  EXPECT_EQ(Found(name), "");
  ::DeleteFileA(name.c_str());

  if (!CreateEmptyFile(inNative)) GTEST_SKIP() << "no native system directory: not a 32-bit program on 64 bits";
  EXPECT_EQ(Found(name), inNative) << "only the native system directory has it";
  ASSERT_TRUE(CreateEmptyFile(inSystem));
  EXPECT_EQ(Found(name), inSystem) << "the system directory the program sees comes first";
  ::DeleteFileA(inSystem.c_str());
  ::DeleteFileA(inNative.c_str());

  // A folder of the tool's name is no tool.
  ASSERT_TRUE(::CreateDirectoryA(inSystem.c_str(), nullptr));
  EXPECT_EQ(Found(name), "");
  ::RemoveDirectoryA(inSystem.c_str());
}

TEST(RunProgram, StartsTheApplicationWithTheCommandLineUnchanged) {
  char temp[MAX_PATH];
  const std::string log = std::string(temp, ::GetTempPathA(MAX_PATH, temp)) + ProbeName("kestrune-run-") + ".log";
  ::DeleteFileA(log.c_str());
  ::SetEnvironmentVariableA("KESTRUNE_STANDIN_LOG", log.c_str());

  const Text standin = Text(OwnFolder().c_str()) + "\\standin.exe";
  ASSERT_TRUE(RunProgram(standin, "chkdsk D:/f"));
  // The stand-in writes its line and ends; wait for it, bounded.
  std::string line;
  for (int i = 0; i < 500 && line.find("\r\n") == std::string::npos; ++i, ::Sleep(10)) line = ReadFile(log);
  EXPECT_EQ(line, std::string(standin.c_str()) + "\tchkdsk D:/f\r\n");

  EXPECT_FALSE(RunProgram(Text(OwnFolder().c_str()) + "\\no-such-tool.exe", "no-such-tool"));
  ::SetEnvironmentVariableA("KESTRUNE_STANDIN_LOG", nullptr);
  ::DeleteFileA(log.c_str());
}

}  // namespace
