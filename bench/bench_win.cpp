// The bench driver: starts programs as their own processes and times them
// from outside, printing the figures that scripts/bench.sh collects.
//
//   bench startup RUNS PROGRAM FLOOR
//       RUNS starts of each, alternating (which goes first alternates too),
//       after one unmeasured start of each: the time from process creation to
//       the main window shown and the program idle, waiting for input.
//   bench memory RUNS PROGRAM FLOOR
//       private memory (and working set) of each at idle after start-up.
//   bench drive RUNS TEST_PROGRAM
//       through the test build's private messages: one confirmed drive
//       choice through to the repainted window, split into the drive query,
//       the texts and chart data, and the painting; and a repaint of the
//       whole window.
//
// Every program started here is closed as a user closes it (or, after a
// bounded wait, terminated) before the driver returns; the next start comes
// after the previous process has gone, on a quiet system.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/test_messages.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;

double Now() {
  LARGE_INTEGER counter;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

struct FindWindowOf {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK MatchVisibleTopWindow(HWND window, LPARAM param) {
  auto* find = reinterpret_cast<FindWindowOf*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != find->pid || !IsWindowVisible(window) || GetWindow(window, GW_OWNER) != nullptr) return TRUE;
  find->found = window;
  return FALSE;
}

HWND VisibleTopWindow(DWORD pid) {
  FindWindowOf find{pid, nullptr};
  EnumWindows(MatchVisibleTopWindow, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

// One started program; closed when the object goes.
class Started {
 public:
  explicit Started(const std::wstring& exe) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    start_ = Now();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info_)) {
      info_ = {};
      return;
    }
    // Idle: the start-up is over and the message loop waits for input. The
    // window must be on the screen by then; poll briefly in case it is not.
    WaitForInputIdle(info_.hProcess, kTimeoutMs);
    const double limit = Now() + kTimeoutMs / 1000.0;
    while ((window_ = VisibleTopWindow(info_.dwProcessId)) == nullptr && Now() < limit) Sleep(0);
    shown_ = Now();
  }
  ~Started() {
    if (info_.hProcess == nullptr) return;
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info_.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, kTimeoutMs);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;

  bool ok() const { return window_ != nullptr; }
  HWND window() const { return window_; }
  HANDLE process() const { return info_.hProcess; }
  double startupSeconds() const { return shown_ - start_; }

 private:
  PROCESS_INFORMATION info_{};
  HWND window_ = nullptr;
  double start_ = 0;
  double shown_ = 0;
};

std::wstring Arg(const wchar_t* text) { return text; }

int Fail(const char* what) {
  std::fprintf(stderr, "bench: %s\n", what);
  return 1;
}

int Startup(int runs, const std::wstring& program, const std::wstring& floor) {
  // One unmeasured start of each: the system's files in the cache, the
  // wineserver warm.
  for (const std::wstring* exe : {&program, &floor}) {
    const Started warm(*exe);
    if (!warm.ok()) return Fail("a program showed no window");
  }
  std::vector<double> programTimes;
  std::vector<double> floorTimes;
  for (int run = 0; run < runs; ++run) {
    for (int i = 0; i < 2; ++i) {
      const bool floorNow = (run + i) % 2 == 0;
      const Started started(floorNow ? floor : program);
      if (!started.ok()) return Fail("a program showed no window");
      (floorNow ? floorTimes : programTimes).push_back(started.startupSeconds() * 1000);
    }
  }
  const double programMs = Median(programTimes);
  const double floorMs = Median(floorTimes);
  std::printf("startup_runs %d\n", runs);
  std::printf("startup_program_ms %.1f\n", programMs);
  std::printf("startup_floor_ms %.1f\n", floorMs);
  std::printf("startup_ratio %.3f\n", programMs / floorMs);
  std::printf("startup_program_range_ms %.1f %.1f\n", *std::min_element(programTimes.begin(), programTimes.end()),
              *std::max_element(programTimes.begin(), programTimes.end()));
  std::printf("startup_floor_range_ms %.1f %.1f\n", *std::min_element(floorTimes.begin(), floorTimes.end()),
              *std::max_element(floorTimes.begin(), floorTimes.end()));
  return 0;
}

// Private memory of a process at idle, in KiB, and its working set.
bool MemoryAtIdle(const std::wstring& exe, double& privateKb, double& workingSetKb) {
  const Started started(exe);
  if (!started.ok()) return false;
  Sleep(300);  // let the first paints and any late start-up work finish
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(started.process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof counters)) {
    return false;
  }
  // Wine fills the page-file figure (its anonymous resident memory) and
  // leaves PrivateUsage 0; Windows fills both with the same value.
  privateKb = static_cast<double>(counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage) / 1024;
  workingSetKb = static_cast<double>(counters.WorkingSetSize) / 1024;
  return true;
}

int Memory(int runs, const std::wstring& program, const std::wstring& floor) {
  std::vector<double> programPrivate, programSet, floorPrivate, floorSet;
  for (int run = 0; run < runs; ++run) {
    double privateKb = 0;
    double setKb = 0;
    if (!MemoryAtIdle(program, privateKb, setKb)) return Fail("no memory figures for the program");
    programPrivate.push_back(privateKb);
    programSet.push_back(setKb);
    if (!MemoryAtIdle(floor, privateKb, setKb)) return Fail("no memory figures for the floor");
    floorPrivate.push_back(privateKb);
    floorSet.push_back(setKb);
  }
  std::printf("memory_program_private_kib %.0f\n", Median(programPrivate));
  std::printf("memory_floor_private_kib %.0f\n", Median(floorPrivate));
  std::printf("memory_private_extra_kib %.0f\n", Median(programPrivate) - Median(floorPrivate));
  std::printf("memory_program_working_set_kib %.0f\n", Median(programSet));
  std::printf("memory_floor_working_set_kib %.0f\n", Median(floorSet));
  return 0;
}

LRESULT Ask(HWND window, unsigned message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kTimeoutMs, &result)) return -1;
  return static_cast<LRESULT>(result);
}

int DriveChange(int runs, const std::wstring& testProgram) {
  const Started started(testProgram);
  if (!started.ok()) return Fail("the test program showed no window");
  const HWND window = started.window();
  const LRESULT drives = Ask(window, test_message::kDriveCount);
  if (drives <= 0) return Fail("the test program lists no drive");
  // Each round: one confirmed choice through to the repainted window; the
  // same choice again without the repaint (queries, texts and chart data)
  // and then the repaint alone (what the choice left to paint); the drive
  // query alone; the whole window repainted.
  std::vector<double> change, refresh, paintDue, query, paintAll;
  for (int run = -10; run < runs; ++run) {  // the first ten warm the caches
    const WPARAM item = static_cast<WPARAM>((run + 10) % drives);
    const LRESULT changeNs = Ask(window, test_message::kConfirmDrive, item);
    const LRESULT refreshNs = Ask(window, test_message::kConfirmDrive, (item + 1) % drives, 1);
    const LRESULT paintDueNs = Ask(window, test_message::kRepaint);
    const LRESULT queryNs = Ask(window, test_message::kTimeDriveQuery);
    const LRESULT paintAllNs = Ask(window, test_message::kRepaint, 1);
    if (changeNs < 0 || refreshNs < 0 || paintDueNs < 0 || queryNs < 0 || paintAllNs < 0) {
      return Fail("the test program did not answer");
    }
    if (run < 0) continue;
    change.push_back(static_cast<double>(changeNs) / 1000);
    refresh.push_back(static_cast<double>(refreshNs) / 1000);
    paintDue.push_back(static_cast<double>(paintDueNs) / 1000);
    query.push_back(static_cast<double>(queryNs) / 1000);
    paintAll.push_back(static_cast<double>(paintAllNs) / 1000);
  }
  const double changeUs = Median(change);
  const double queryUs = Median(query);
  std::printf("drive_runs %d over %ld drives\n", runs, static_cast<long>(drives));
  std::printf("drive_change_us %.0f\n", changeUs);
  std::printf("drive_queries_us %.0f\n", queryUs);
  std::printf("drive_own_us %.0f\n", changeUs - queryUs);
  std::printf("drive_texts_us %.0f\n", Median(refresh) - queryUs);
  std::printf("drive_paint_us %.0f\n", Median(paintDue));
  std::printf("window_repaint_us %.0f\n", Median(paintAll));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 5 && Arg(argv[1]) == L"startup") return Startup(_wtoi(argv[2]), argv[3], argv[4]);
  if (argc >= 5 && Arg(argv[1]) == L"memory") return Memory(_wtoi(argv[2]), argv[3], argv[4]);
  if (argc >= 4 && Arg(argv[1]) == L"drive") return DriveChange(_wtoi(argv[2]), argv[3]);
  std::fprintf(stderr, "usage: bench startup|memory RUNS PROGRAM FLOOR | bench drive RUNS TEST_PROGRAM\n");
  return 2;
}
