// The commands, keys, pages and divider lines, driven as a person drives the
// window: real key and mouse input, checked from outside.
//
// The stage that runs these (tests/stages/70-commands-window.sh) maps the
// test drives and names them in the environment:
//   KESTRUNE_DRIVE_RW  a writable fixed drive with a label
//   KESTRUNE_DRIVE_RO  a drive whose label cannot be written
// Without them the tests skip. The tests put recording stand-ins for the
// system's disk tools into the system directories and restore what was there.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <memory>
#include <string>
#include <vector>

#include "tests/window/driver.h"
#include "ui/form.h"

namespace {

using wt::Wide;

// --- Small helpers ------------------------------------------------------------

std::wstring Env(const wchar_t* name) {
  wchar_t value[MAX_PATH] = L"";
  const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

wchar_t DriveLetter(const wchar_t* variable) {
  const std::wstring value = Env(variable);
  return value.empty() ? L'\0' : static_cast<wchar_t>(std::towupper(value[0]));
}

std::wstring Folder(UINT(WINAPI* query)(LPWSTR, UINT)) {
  wchar_t buffer[MAX_PATH];
  return std::wstring(buffer, query(buffer, MAX_PATH));
}

std::wstring TempFolder(const wchar_t* name) {
  wchar_t buffer[MAX_PATH];
  std::wstring folder = std::wstring(buffer, GetTempPathW(MAX_PATH, buffer)) + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

std::string ReadWholeFile(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok != FALSE;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
  return text;
}

// The control that has the keyboard focus in the program's GUI thread.
ControlId FocusedControl(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || info.hwndFocus == nullptr) return 0;
  return static_cast<ControlId>(GetDlgCtrlID(info.hwndFocus));
}

// Names for readable failures.
std::string NameOf(ControlId id) {
  struct Named {
    ControlId id;
    const char* name;  // GBK
  };
  static const Named kNames[] = {
      {编辑框1, "编辑框1"},           {饼形图控件1, "饼形图控件1"},     {驱动器框1, "驱动器框1"},
      {按钮_硬盘清理, "按钮_硬盘清理"}, {按钮_确定, "按钮_确定"},         {按钮_取消, "按钮_取消"},
      {分隔条1, "分隔条1"},           {分隔条2, "分隔条2"},             {分隔条3, "分隔条3"},
      {按钮_开始整理, "按钮_开始整理"}, {按钮_开始检查, "按钮_开始检查"}, {标签8, "标签8"},
  };
  for (const Named& named : kNames)
    if (named.id == id) return wt::Utf8(Wide(named.name));
  return "control " + std::to_string(id);
}

// Types `text` as characters, as an input method or a keyboard would.
void TypeText(std::wstring_view text) {
  for (wchar_t c : text) {
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wScan = keys[1].ki.wScan = c;
    keys[0].ki.dwFlags = KEYEVENTF_UNICODE;
    keys[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof keys[0]);
  }
}

// Moves the pointer as the mouse does and waits until it is there.
void MovePointer(POINT screen) {
  wt::SendMouse(0, screen);
  wt::WaitUntil(
      [&] {
        POINT now{};
        GetCursorPos(&now);
        return now.x == screen.x && now.y == screen.y;
      },
      2000);
}

// A process of the program is answering its messages.
bool Responsive(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, &result) != 0;
}

// --- The stand-in tools -------------------------------------------------------

// A file put in place for the tests; whatever it replaced comes back when the
// object goes.
class PlacedFile {
 public:
  PlacedFile(std::wstring path, const std::wstring& source) : path_(std::move(path)) {
    backup_ = path_ + L".kestrune-backup";
    if (Exists(path_) && !Exists(backup_)) MoveFileW(path_.c_str(), backup_.c_str());
    placed_ = CopyFileW(source.c_str(), path_.c_str(), FALSE) != FALSE;
  }
  ~PlacedFile() {
    DeleteFileW(path_.c_str());
    if (Exists(backup_)) MoveFileW(backup_.c_str(), path_.c_str());
  }
  PlacedFile(const PlacedFile&) = delete;
  PlacedFile& operator=(const PlacedFile&) = delete;
  bool placed() const { return placed_; }

 private:
  std::wstring path_;
  std::wstring backup_;
  bool placed_ = false;
};

// Opening a .msc document starts the console stand-in with the document's
// path, for the length of one test.
class MscAssociation {
 public:
  explicit MscAssociation(const std::wstring& console) {
    hadExtension_ = RegOpenKeyExW(HKEY_CLASSES_ROOT, L".msc", 0, KEY_READ, &saved_) == ERROR_SUCCESS;
    if (hadExtension_) {
      wchar_t value[256] = L"";
      DWORD size = sizeof value;
      if (RegQueryValueExW(saved_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS)
        previous_ = value;
      RegCloseKey(saved_);
    }
    const std::wstring command = L"\"" + console + L"\" \"%1\"";
    ok_ = SetDefault(L".msc", kProgId) && SetDefault(std::wstring(kProgId) + L"\\shell\\open\\command", command);
  }
  ~MscAssociation() {
    RegDeleteKeyW(HKEY_CLASSES_ROOT, (std::wstring(kProgId) + L"\\shell\\open\\command").c_str());
    RegDeleteKeyW(HKEY_CLASSES_ROOT, (std::wstring(kProgId) + L"\\shell\\open").c_str());
    RegDeleteKeyW(HKEY_CLASSES_ROOT, (std::wstring(kProgId) + L"\\shell").c_str());
    RegDeleteKeyW(HKEY_CLASSES_ROOT, kProgId);
    if (hadExtension_)
      SetDefault(L".msc", previous_);
    else
      RegDeleteKeyW(HKEY_CLASSES_ROOT, L".msc");
  }
  MscAssociation(const MscAssociation&) = delete;
  MscAssociation& operator=(const MscAssociation&) = delete;
  bool ok() const { return ok_; }

 private:
  static constexpr const wchar_t* kProgId = L"KestruneTest.StandinConsole";

  static bool SetDefault(const std::wstring& key, const std::wstring& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
      return false;
    const LONG result = RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
  }

  HKEY saved_ = nullptr;
  bool hadExtension_ = false;
  std::wstring previous_;
  bool ok_ = false;
};

// One line of the stand-ins' log: which file ran, with which command line.
struct ToolRun {
  std::wstring path;
  std::wstring commandLine;
};

std::vector<ToolRun> ReadRuns(const std::wstring& log) {
  std::vector<ToolRun> runs;
  const std::wstring text = [&] {
    const std::string bytes = ReadWholeFile(log);
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return wide;
  }();
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
    const std::wstring line = text.substr(start, end - start);
    const auto tab = line.find(L'\t');
    runs.push_back({line.substr(0, tab), tab == std::wstring::npos ? L"" : line.substr(tab + 1)});
  }
  return runs;
}

// --- The window -----------------------------------------------------------------

// A started program with its main window in front, and the ways a person
// works it.
class Session {
 public:
  explicit Session(const wt::StartOptions& options = {}) : program_(options) {
    window_ = program_.WaitForMainWindow();
    if (window_ != nullptr) wt::BringToFront(window_);
  }

  wt::Program& program() { return program_; }
  HWND window() const { return window_; }
  HWND control(ControlId id) const { return wt::FindControl(window_, id); }
  ControlId focus() const { return FocusedControl(window_); }

  bool WaitForFocus(ControlId id) {
    return wt::WaitUntil([&] { return focus() == id; }, 3000);
  }

  // Clicks the tab of `page` (the captions sit side by side from the left
  // edge of the tab row) and waits until the page is the one shown: its
  // controls shown, the other page's hidden. True when it is.
  bool ClickTab(int page) {
    HWND tabs = control(高级选择夹1);
    const int x = page == 0 ? 18 : 60;
    wt::Click(tabs, x, 12);
    static constexpr ControlId kGeneral[] = {编辑框1, 饼形图控件1, 驱动器框1, 按钮_硬盘清理, 分隔条1, 分隔条3, 标签_容量};
    static constexpr ControlId kTools[] = {标签8, 分组框2, 按钮_开始检查, 标签7, 按钮_开始整理, 图片框_硬盘图标1, 分组框1};
    return wt::WaitUntil(
        [&] {
          for (ControlId id : kGeneral)
            if (wt::IsShown(control(id)) != (page == 0)) return false;
          for (ControlId id : kTools)
            if (wt::IsShown(control(id)) != (page == 1)) return false;
          return true;
        },
        3000);
  }

  // Picks the drive `letter` in the drive selector's list: opens the list
  // with a click, types the letter and confirms with Enter. Successive
  // choices click the field at points far apart, so that a quick second
  // choice is not taken for a double click (which Wine's drop-down list
  // ignores).
  bool ChooseDrive(wchar_t letter) {
    HWND selector = control(驱动器框1);
    RECT field{};
    GetClientRect(selector, &field);
    const int x = (choices_++ % 2 == 0) ? field.right / 4 : field.right * 3 / 4;
    wt::Click(selector, x, field.bottom / 2);
    const bool dropped = wt::WaitUntil([&] { return DroppedList() != nullptr; }, 3000);
    if (!dropped) return false;
    wt::PressKey(static_cast<WORD>(letter));
    wt::PressKey(VK_RETURN);
    return wt::WaitUntil(
        [&] { return DroppedList() == nullptr && wt::ComboSelectedText(selector).rfind(std::wstring(1, letter) + L":", 0) == 0; },
        3000);
  }

  HWND DroppedList() const { return wt::FindTopWindow(program_.pid(), L"ComboLBox"); }

  // Replaces the edit box's text with `text` by keyboard.
  void TypeLabel(std::wstring_view text) {
    HWND edit = control(编辑框1);
    wt::Click(edit);
    WaitForFocus(编辑框1);
    wt::PressKey(VK_END);
    wt::PressKey(VK_HOME, {VK_SHIFT});
    if (text.empty())
      wt::PressKey(VK_DELETE);
    else
      TypeText(text);
    wt::WaitUntil([&] { return wt::Text(edit) == text; }, 3000);
  }

 private:
  wt::Program program_;
  HWND window_ = nullptr;
  int choices_ = 0;
};

// --- Fixtures ---------------------------------------------------------------------

class CommandWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    rw_ = DriveLetter(L"KESTRUNE_DRIVE_RW");
    ro_ = DriveLetter(L"KESTRUNE_DRIVE_RO");
    if (rw_ == L'\0' || ro_ == L'\0') GTEST_SKIP() << "the test drives are mapped by the commands stage";
  }

  std::wstring LabelFile() const { return std::wstring(1, rw_) + L":\\.windows-label"; }

  wchar_t rw_ = L'\0';
  wchar_t ro_ = L'\0';
};

// The stand-ins installed: chkdsk.exe and cleanmgr.exe in the system
// directory the program sees, the defragmenter as the document dfrg.msc
// (opened by a console stand-in) or, with `withDfrgMsc` false, as
// dfrgui.exe in the native system directory only. A copy of the program sits
// in a folder of its own among planted tools of the same names, which must
// never run.
class ToolButtons : public CommandWindow {
 protected:
  void Install(bool withDfrgMsc) {
    const std::wstring standin = wt::BuildDir() + L"\\standin.exe";
    ASSERT_TRUE(Exists(standin));
    const std::wstring system = Folder(GetSystemDirectoryW);
    const std::wstring native = Folder(GetSystemWindowsDirectoryW) + L"\\Sysnative";
    work_ = TempFolder(L"kestrune-tools");
    log_ = work_ + L"\\runs.log";
    DeleteFileW(log_.c_str());

    placed_.emplace_back(std::make_unique<PlacedFile>(system + L"\\chkdsk.exe", standin));
    placed_.emplace_back(std::make_unique<PlacedFile>(system + L"\\cleanmgr.exe", standin));
    if (withDfrgMsc) {
      const std::wstring document = work_ + L"\\dfrg.msc.source";
      ASSERT_TRUE(WriteWholeFile(document, "console document\r\n"));
      placed_.emplace_back(std::make_unique<PlacedFile>(system + L"\\dfrg.msc", document));
      console_ = work_ + L"\\mmc.exe";
      ASSERT_TRUE(CopyFileW(standin.c_str(), console_.c_str(), FALSE));
      association_ = std::make_unique<MscAssociation>(console_);
      ASSERT_TRUE(association_->ok());
    } else {
      if (!Exists(native)) GTEST_SKIP() << "no native system directory";
      placed_.emplace_back(std::make_unique<PlacedFile>(native + L"\\dfrgui.exe", standin));
    }
    for (const auto& file : placed_) ASSERT_TRUE(file->placed());

    // The program beside planted tools of the same names.
    planted_ = TempFolder(L"kestrune-planted");
    ASSERT_TRUE(CopyFileW(wt::ProgramPath().c_str(), (planted_ + L"\\Kestrune.exe").c_str(), FALSE));
    for (const wchar_t* name : {L"chkdsk.exe", L"cleanmgr.exe", L"dfrgui.exe", L"mmc.exe"})
      ASSERT_TRUE(CopyFileW(standin.c_str(), (planted_ + L"\\" + name).c_str(), FALSE));
    ASSERT_TRUE(WriteWholeFile(planted_ + L"\\dfrg.msc", "planted\r\n"));
  }

  void TearDown() override {
    association_.reset();
    placed_.clear();
    if (!console_.empty()) DeleteFileW(console_.c_str());
    DeleteFileW(log_.c_str());
  }

  wt::StartOptions Options() const {
    wt::StartOptions options;
    options.exe = planted_ + L"\\Kestrune.exe";
    options.env = {{L"KESTRUNE_STANDIN_LOG", log_}};
    return options;
  }

  // Waits for the `count`th run to be logged and returns all runs so far.
  std::vector<ToolRun> WaitForRuns(std::size_t count) {
    std::vector<ToolRun> runs;
    wt::WaitUntil([&] { return (runs = ReadRuns(log_)).size() >= count; });
    return runs;
  }

  // A run from the system's folders, never from the program's own.
  void ExpectSystemRun(const ToolRun& run, const std::wstring& file, const std::wstring& commandLine) {
    EXPECT_EQ(Lower(run.commandLine), Lower(commandLine)) << wt::Utf8(run.path);
    EXPECT_EQ(Lower(run.path).find(Lower(planted_)), std::wstring::npos) << "planted copy ran: " << wt::Utf8(run.path);
    EXPECT_NE(Lower(run.path).rfind(L"\\" + file), std::wstring::npos) << wt::Utf8(run.path);
  }

  std::wstring work_, log_, console_, planted_;
  std::vector<std::unique_ptr<PlacedFile>> placed_;
  std::unique_ptr<MscAssociation> association_;
};

// --- Tools ---------------------------------------------------------------------

TEST_F(ToolButtons, ButtonsAndAccessKeysStartTheSystemsToolsOnEachPage) {
  Install(true);
  Session app(Options());
  ASSERT_NE(app.window(), nullptr);
  ASSERT_TRUE(app.ChooseDrive(rw_));
  const std::wstring check = L"chkdsk " + std::wstring(1, rw_) + L":/f";

  // Page "常规": Alt+C reaches nothing (the check button is hidden), Alt+D is
  // Disk Cleanup. The cleanup run proves the Alt+C before it was handled.
  wt::PressKey('C', {VK_MENU});
  wt::PressKey('D', {VK_MENU});
  auto runs = WaitForRuns(1);
  ASSERT_EQ(runs.size(), 1u);
  ExpectSystemRun(runs[0], L"cleanmgr.exe", L"cleanmgr");

  // Page "工具": the buttons by mouse, then by their access keys.
  ASSERT_TRUE(app.ClickTab(1));
  wt::Click(app.control(按钮_开始检查));
  runs = WaitForRuns(2);
  ASSERT_EQ(runs.size(), 2u);
  ExpectSystemRun(runs[1], L"chkdsk.exe", check);

  wt::Click(app.control(按钮_开始整理));
  runs = WaitForRuns(3);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(Lower(runs[2].path), Lower(console_));
  EXPECT_NE(Lower(runs[2].commandLine).find(Lower(Folder(GetSystemDirectoryW) + L"\\dfrg.msc")), std::wstring::npos)
      << wt::Utf8(runs[2].commandLine);

  wt::PressKey('D', {VK_MENU});
  wt::PressKey('C', {VK_MENU});
  // The console and the check start on their own: either may log first.
  runs = WaitForRuns(5);
  ASSERT_EQ(runs.size(), 5u);
  if (Lower(runs[3].path) != Lower(console_)) std::swap(runs[3], runs[4]);
  EXPECT_EQ(Lower(runs[3].path), Lower(console_));
  ExpectSystemRun(runs[4], L"chkdsk.exe", check);

  // The consumed Alt keys left no menu mode behind: the window answers and
  // takes plain keys again (Tab moves the focus).
  EXPECT_TRUE(Responsive(app.window()));
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(app.window(), nullptr), &info));
  EXPECT_EQ(info.flags & (GUI_INMENUMODE | GUI_SYSTEMMENUMODE), 0u);
  const ControlId before = app.focus();
  wt::PressKey(VK_TAB);
  EXPECT_TRUE(wt::WaitUntil([&] { return app.focus() != before; }, 3000));
  EXPECT_EQ(app.program().Close(), 0u);
  EXPECT_EQ(ReadRuns(log_).size(), 5u);
}

TEST_F(ToolButtons, WithoutTheConsoleDocumentTheDefragmenterProgramStarts) {
  Install(false);
  Session app(Options());
  ASSERT_NE(app.window(), nullptr);
  ASSERT_TRUE(app.ClickTab(1));
  wt::Click(app.control(按钮_开始整理));
  const auto runs = WaitForRuns(1);
  ASSERT_EQ(runs.size(), 1u);
  ExpectSystemRun(runs[0], L"dfrgui.exe", L"dfrgui");
  // Only the native system directory has it: the program, a 32-bit one,
  // found it there through Sysnative.
  EXPECT_FALSE(Exists(Folder(GetSystemDirectoryW) + L"\\dfrgui.exe"));
  EXPECT_TRUE(Responsive(app.window()));
  EXPECT_EQ(app.program().Close(), 0u);
}

// --- Drive change, OK and Cancel ---------------------------------------------

TEST_F(CommandWindow, ChoosingADriveRefreshesTheDisplayEvenTheSameOneAgain) {
  Session app;
  ASSERT_NE(app.window(), nullptr);
  HWND chart = app.control(饼形图控件1);
  ASSERT_TRUE(app.ChooseDrive(rw_));
  EXPECT_TRUE(wt::WaitUntil([&] { return wt::Text(chart) == Wide("驱动器: ") + std::wstring(1, rw_); }, 3000))
      << wt::Utf8(wt::Text(chart));
  const std::wstring label = wt::Text(app.control(编辑框1));

  // Typed but not confirmed; choosing the same drive again shows its label.
  app.TypeLabel(L"typed");
  ASSERT_TRUE(app.ChooseDrive(rw_));
  EXPECT_TRUE(wt::WaitUntil([&] { return wt::Text(app.control(编辑框1)) == label; }, 3000));

  ASSERT_TRUE(app.ChooseDrive(ro_));
  EXPECT_TRUE(wt::WaitUntil([&] { return wt::Text(chart) == Wide("驱动器: ") + std::wstring(1, ro_); }, 3000));
  EXPECT_EQ(app.program().Close(), 0u);
}

TEST_F(CommandWindow, OkWritesAChangedLabelAndCloses) {
  struct Case {
    const wchar_t* typed;
    std::string stored;  // the drive's label file afterwards; empty: no label
  };
  const Case cases[] = {
      {L"NEWNAME", "NEWNAME"},
      {L"\u8d44\u6599 2", "\xe8\xb5\x84\xe6\x96\x99 2"},  // 资料 2
      {L"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(wt::Utf8(c.typed));
    WriteWholeFile(LabelFile(), "BEFORE\n");
    Session app;
    ASSERT_NE(app.window(), nullptr);
    ASSERT_TRUE(app.ChooseDrive(rw_));
    app.TypeLabel(c.typed);
    wt::Click(app.control(按钮_确定));
    EXPECT_EQ(app.program().WaitForExit(), 0u);
    std::string stored = ReadWholeFile(LabelFile());
    while (!stored.empty() && (stored.back() == '\n' || stored.back() == '\r')) stored.pop_back();
    EXPECT_EQ(stored, c.stored);
  }
}

TEST_F(CommandWindow, OkLeavesAnUnchangedLabelAlone) {
  // On the read-only drive a rewrite would fail with an error box.
  for (wchar_t drive : {rw_, ro_}) {
    SCOPED_TRACE(wt::Utf8(std::wstring(1, drive)));
    const std::wstring file = std::wstring(1, drive) + L":\\.windows-label";
    const std::string before = ReadWholeFile(file);
    FILETIME written{};
    HANDLE handle = CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    const bool hadFile = handle != INVALID_HANDLE_VALUE;
    if (hadFile) {
      GetFileTime(handle, nullptr, nullptr, &written);
      CloseHandle(handle);
    }
    Session app;
    ASSERT_NE(app.window(), nullptr);
    ASSERT_TRUE(app.ChooseDrive(drive));
    wt::Click(app.control(按钮_确定));
    EXPECT_EQ(app.program().WaitForExit(), 0u);
    EXPECT_EQ(ReadWholeFile(file), before);
    FILETIME after{};
    handle = CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(handle != INVALID_HANDLE_VALUE, hadFile);
    if (handle != INVALID_HANDLE_VALUE) {
      GetFileTime(handle, nullptr, nullptr, &after);
      CloseHandle(handle);
      EXPECT_EQ(CompareFileTime(&written, &after), 0);
    }
  }
}

TEST_F(CommandWindow, AFailedRenameKeepsTheWindowAndTheTypedLabel) {
  Session app;
  ASSERT_NE(app.window(), nullptr);
  ASSERT_TRUE(app.ChooseDrive(ro_));
  app.TypeLabel(L"CANNOT");
  wt::Click(app.control(按钮_确定));
  HWND box = app.program().WaitForErrorBox();
  ASSERT_NE(box, nullptr) << "no error box";
  EXPECT_EQ(GetWindow(box, GW_OWNER), app.window()) << "the box belongs to the window";
  EXPECT_NE(wt::ErrorBoxText(box).find(std::wstring(1, ro_) + L":"), std::wstring::npos) << wt::Utf8(wt::ErrorBoxText(box));
  wt::CloseErrorBox(box);
  ASSERT_TRUE(wt::WaitUntil([&] { return !IsWindow(box); }, 3000));
  EXPECT_TRUE(app.program().running());
  EXPECT_EQ(wt::Text(app.control(编辑框1)), L"CANNOT");
  EXPECT_TRUE(app.WaitForFocus(编辑框1)) << "focus back in the edit box for correcting";
  wt::Click(app.control(按钮_取消));
  EXPECT_EQ(app.program().WaitForExit(), 0u);
}

TEST_F(CommandWindow, CancelAndEscCloseWithoutWriting) {
  for (bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "Esc" : "Cancel");
    WriteWholeFile(LabelFile(), "KEPT\n");
    Session app;
    ASSERT_NE(app.window(), nullptr);
    ASSERT_TRUE(app.ChooseDrive(rw_));
    app.TypeLabel(L"DISCARDED");
    if (escape)
      wt::PressKey(VK_ESCAPE);  // with the focus in the edit box
    else
      wt::Click(app.control(按钮_取消));
    EXPECT_EQ(app.program().WaitForExit(), 0u);
    EXPECT_EQ(ReadWholeFile(LabelFile()), "KEPT\n");
  }
}

// --- Keys and pages -------------------------------------------------------------

// The keyboard tests need no drive, but run with the others of this stage.
using KeysAndPages = CommandWindow;

std::vector<ControlId> TabWalk(Session& app, int count, bool backward) {
  std::vector<ControlId> seen;
  for (int i = 0; i < count; ++i) {
    const ControlId before = app.focus();
    if (backward)
      wt::PressKey(VK_TAB, {VK_SHIFT});
    else
      wt::PressKey(VK_TAB);
    wt::WaitUntil([&] { return app.focus() != before; }, 2000);
    seen.push_back(app.focus());
  }
  return seen;
}

std::vector<std::string> Names(const std::vector<ControlId>& ids) {
  std::vector<std::string> names;
  for (ControlId id : ids) names.push_back(NameOf(id));
  return names;
}

TEST_F(KeysAndPages, TabCyclesThroughTheShownTabStopsAndPagesMoveTheFocus) {
  Session app;
  ASSERT_NE(app.window(), nullptr);
  wt::Click(app.control(编辑框1));
  ASSERT_TRUE(app.WaitForFocus(编辑框1));

  const std::vector<ControlId> general = {饼形图控件1, 驱动器框1, 按钮_硬盘清理, 按钮_确定, 按钮_取消,
                                          分隔条1,     分隔条2,   分隔条3,       编辑框1};
  EXPECT_EQ(Names(TabWalk(app, 9, false)), Names(general));
  std::vector<ControlId> back(general.rbegin() + 1, general.rend());
  back.push_back(编辑框1);
  EXPECT_EQ(Names(TabWalk(app, 9, true)), Names(back));

  // Page "工具" has no control of its own to take the focus, so the page
  // moves none: the hidden edit box loses it to its parent, as the platform
  // does for a hidden window, and Tab goes on from there.
  ASSERT_TRUE(app.ClickTab(1));
  for (ControlId id : {按钮_确定, 按钮_取消, 按钮_开始整理, 按钮_开始检查}) EXPECT_NE(app.focus(), id) << NameOf(id);
  EXPECT_EQ(Names(TabWalk(app, 4, false)), Names({按钮_确定, 按钮_取消, 按钮_开始整理, 按钮_开始检查}));
  EXPECT_EQ(Names(TabWalk(app, 2, false)), Names({按钮_确定, 按钮_取消}));
  EXPECT_EQ(Names(TabWalk(app, 2, true)), Names({按钮_确定, 按钮_开始检查}));

  // Back on "常规" the first divider line takes the focus.
  ASSERT_TRUE(app.ClickTab(0));
  EXPECT_TRUE(app.WaitForFocus(分隔条3)) << NameOf(app.focus());
  EXPECT_EQ(app.program().Close(), 0u);
}

TEST_F(KeysAndPages, PageSwitchShowsAndHidesWithoutRefreshing) {
  Session app;
  ASSERT_NE(app.window(), nullptr);
  // A typed label would be overwritten by a refresh.
  HWND edit = app.control(编辑框1);
  wt::Click(edit);
  TypeText(L"typed");
  ASSERT_TRUE(wt::WaitUntil([&] { return wt::Text(edit).find(L"typed") != std::wstring::npos; }, 3000));
  const std::wstring typed = wt::Text(edit);

  EXPECT_TRUE(app.ClickTab(1)) << "the tools page is not the one shown";
  EXPECT_TRUE(app.ClickTab(0)) << "the general page is not the one shown";
  EXPECT_EQ(wt::Text(edit), typed);
  EXPECT_EQ(app.program().Close(), 0u);
}

TEST_F(KeysAndPages, EnterF1AndAClientAreaDragDoNothingOfTheWindowsOwn) {
  Session app;
  ASSERT_NE(app.window(), nullptr);
  // The focus on OK: Enter must not press it, nor close the window.
  wt::Click(app.control(编辑框1));
  ASSERT_TRUE(app.WaitForFocus(编辑框1));
  TabWalk(app, 4, false);
  ASSERT_EQ(NameOf(app.focus()), NameOf(按钮_确定));
  wt::PressKey(VK_RETURN);
  wt::PressKey(VK_F1);
  // The Tab after them is handled only once they have been.
  EXPECT_EQ(Names(TabWalk(app, 1, false)), Names({按钮_取消}));
  EXPECT_TRUE(app.program().running());
  EXPECT_EQ(wt::FindTopWindow(app.program().pid(), L"#32770"), nullptr);

  // Pressing on the window's own background (left of OK, below the pages)
  // and moving away does not move the window.
  const RECT place = wt::ScreenRect(app.window());
  const POINT press = wt::ScreenPoint(app.window(), 40, 444);
  ASSERT_EQ(ChildWindowFromPoint(app.window(), POINT{40, 444}), app.window());
  MovePointer(press);
  wt::SendMouse(MOUSEEVENTF_LEFTDOWN, press);
  MovePointer({press.x + 20, press.y - 20});
  MovePointer({press.x + 40, press.y - 40});
  wt::SendMouse(MOUSEEVENTF_LEFTUP, {press.x + 40, press.y - 40});
  // Input is handled in order: once the Tab after the drag has moved the
  // focus, the drag has been handled too.
  EXPECT_EQ(Names(TabWalk(app, 1, false)), Names({分隔条1}));
  EXPECT_EQ(wt::ScreenRect(app.window()), place);
  EXPECT_EQ(app.program().Close(), 0u);
}

// --- Divider lines ---------------------------------------------------------------

// Pixels of a row of the window that differ between two captures.
int ChangedPixels(const wt::ScreenCapture& a, const wt::ScreenCapture& b, POINT from, int width) {
  int changed = 0;
  for (int x = 0; x < width; ++x) {
    const POINT p{from.x + x, from.y};
    if (a.Pixel(p) != b.Pixel(p)) ++changed;
  }
  return changed;
}

TEST_F(KeysAndPages, DraggingADividerLineShowsACopyAndLeavesTheLine) {
  Session app;
  ASSERT_NE(app.window(), nullptr);
  HWND bar = app.control(分隔条2);
  const RECT place = wt::RectInParent(bar);
  const RECT screen = wt::ScreenRect(app.window());
  const POINT grab = wt::ScreenPoint(bar, 100, 0);
  const POINT target{grab.x, grab.y + 40};
  const POINT row{wt::ScreenPoint(bar, 0, 0).x, target.y};
  const int width = place.right - place.left;
  // The row crosses the white caption "容量:".
  HWND label = app.control(标签3);
  const RECT labelRect = wt::ScreenRect(label);
  const POINT labelPoint{labelRect.left + 8, target.y};
  ASSERT_TRUE(PtInRect(&labelRect, labelPoint));

  // The window active first, as when a person reaches for the line.
  wt::Click(label);
  ASSERT_TRUE(wt::WaitUntil([&] { return GetForegroundWindow() == app.window(); }, 3000));

  // How each ending leaves the copy: release, Esc, the right button.
  for (int ending = 0; ending < 3; ++ending) {
    SCOPED_TRACE(ending);
    // The row as painted with the pointer resting on the bar: two captures in
    // a row that agree, and show the white of the label the row crosses (the
    // window may reach the screen a little after it is shown).
    MovePointer(grab);
    std::unique_ptr<wt::ScreenCapture> before;
    ASSERT_TRUE(wt::WaitUntil([&] {
      before = std::make_unique<wt::ScreenCapture>(screen);
      return before->Pixel(labelPoint) == RGB(255, 255, 255) &&
             ChangedPixels(*before, wt::ScreenCapture(screen), row, width) == 0;
    }, 3000)) << "the row under the pointer was never painted";
    wt::SendMouse(MOUSEEVENTF_LEFTDOWN, grab);
    MovePointer({target.x, target.y - 20});
    MovePointer(target);
    bool shown = wt::WaitUntil([&] { return ChangedPixels(*before, wt::ScreenCapture(screen), row, width) > width / 4; }, 3000);
    EXPECT_TRUE(shown) << "no inverted copy under the pointer";
    if (ending == 1) wt::PressKey(VK_ESCAPE);
    if (ending == 2) {
      wt::SendMouse(MOUSEEVENTF_RIGHTDOWN, target);
      wt::SendMouse(MOUSEEVENTF_RIGHTUP, target);
    }
    if (ending != 0) {
      EXPECT_TRUE(wt::WaitUntil([&] { return ChangedPixels(*before, wt::ScreenCapture(screen), row, width) == 0; }, 3000))
          << "the copy stays after cancelling";
    }
    wt::SendMouse(MOUSEEVENTF_LEFTUP, target);
    EXPECT_TRUE(wt::WaitUntil([&] { return ChangedPixels(*before, wt::ScreenCapture(screen), row, width) == 0; }, 3000))
        << "the copy stays after the release";
    EXPECT_EQ(wt::RectInParent(bar), place);
    EXPECT_TRUE(app.program().running()) << "Esc during a drag belongs to the drag";
  }
  EXPECT_EQ(app.program().Close(), 0u);
}

}  // namespace
