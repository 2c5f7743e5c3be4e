// The leak soak: inside one running test build of the program, driven from
// here, ten thousand confirmed drive choices each repainted at once, a
// thousand page switches by clicks on the tabs, and the flat style switched
// off and on. Afterwards the program's live heap blocks, the GDI objects and
// the USER objects it could still create, and its windows are where they
// were before. Wine reports no GDI or USER object counts, so the soak counts
// how many more objects can be created before the system refuses.
//
// It runs in its own stage (KESTRUNE_SOAK=1), which maps the drives whose
// letters it names in KESTRUNE_SOAK_DRIVES (folders: quick to query, so the
// soak's time goes to the program); elsewhere it is skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/window/driver.h"
#include "ui/form.h"
#include "ui/test_messages.h"

namespace {

constexpr int kDriveChanges = 10000;
constexpr int kPageSwitches = 1000;

LRESULT Ask(HWND window, unsigned message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 120000, &result)) return -1;
  return static_cast<LRESULT>(result);
}

BOOL CALLBACK CountChild(HWND /*child*/, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The process's windows: its top-level windows and all their descendants.
int WindowCount(DWORD pid) {
  int count = 0;
  for (HWND top : wt::TopWindows(pid)) {
    ++count;
    EnumChildWindows(top, CountChild, reinterpret_cast<LPARAM>(&count));
  }
  return count;
}

struct Counts {
  LRESULT liveBlocks;
  LRESULT gdiHeadroom;
  LRESULT userHeadroom;
  int windows;
};

Counts Measure(const wt::App& app) {
  return {Ask(app.window, test_message::kLiveTexts), Ask(app.window, test_message::kGdiHeadroom),
          Ask(app.window, test_message::kUserHeadroom), WindowCount(app.program.pid())};
}

// The drive selector's items of the soak's drives.
std::vector<WPARAM> SoakItems(HWND selector) {
  const char* letters = std::getenv("KESTRUNE_SOAK_DRIVES");
  std::vector<WPARAM> items;
  const std::vector<std::wstring> texts = wt::ComboItems(selector);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (letters == nullptr || texts[i].empty()) continue;
    if (std::string(letters).find(static_cast<char>(texts[i][0])) != std::string::npos) items.push_back(i);
  }
  return items;
}

// A press and release of the left button at a point of the tab row, as the
// mouse sends them.
void ClickAt(HWND container, int x) {
  const LPARAM point = MAKELPARAM(x, 12);
  SendMessageW(container, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(container, WM_LBUTTONUP, 0, point);
}

// A point of the tab row whose click makes page "工具" shown (`tools`) or
// hidden; -1 when the row has none.
int FindTab(HWND container, HWND toolsControl, bool tools) {
  RECT client;
  GetClientRect(container, &client);
  for (int x = 2; x < client.right; x += 2) {
    ClickAt(container, x);
    if (wt::IsShown(toolsControl) == tools) return x;
  }
  return -1;
}

class Soak : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* soak = std::getenv("KESTRUNE_SOAK");
    if (soak == nullptr || std::string(soak) != "1") GTEST_SKIP() << "the soak runs in its own stage";
  }
};

TEST_F(Soak, DriveChangesPageSwitchesAndFlatStyleLeakNothing) {
  wt::StartOptions options;
  options.exe = wt::TestProgramPath();
  wt::App app(options);
  ASSERT_STARTED(app);
  const HWND container = app[高级选择夹1];
  const HWND toolsGroup = app[分组框2];
  ASSERT_NE(container, nullptr);
  ASSERT_NE(toolsGroup, nullptr);
  const std::vector<WPARAM> items = SoakItems(app[驱动器框1]);
  ASSERT_GE(items.size(), 2u) << "the drives named in KESTRUNE_SOAK_DRIVES are not listed";

  // One round of everything first, so that what is made once and kept (the
  // system's caches, the controls' first paint of the other page) is in the
  // baseline.
  const int toolsTab = FindTab(container, toolsGroup, true);
  const int generalTab = FindTab(container, toolsGroup, false);
  ASSERT_GE(toolsTab, 0) << "no click in the tab row shows page 工具";
  ASSERT_GE(generalTab, 0) << "no click in the tab row shows page 常规 again";
  for (WPARAM item : items) ASSERT_GE(Ask(app.window, test_message::kConfirmDrive, item), 0);
  for (int tab : {toolsTab, generalTab}) {
    ClickAt(container, tab);
    Ask(app.window, test_message::kRepaint, 1);
  }
  Ask(app.window, test_message::kFlatStyle, 0);
  Ask(app.window, test_message::kRepaint, 1);
  Ask(app.window, test_message::kFlatStyle, 1);
  Ask(app.window, test_message::kRepaint, 1);

  const Counts before = Measure(app);
  ASSERT_GT(before.gdiHeadroom, 0);
  ASSERT_GT(before.userHeadroom, 0);

  // In batches run inside the program: the time goes to the changes, not to
  // passing messages between the processes.
  const LPARAM pair = MAKELPARAM(items[0], items[1]);
  for (int done = 0; done < kDriveChanges; done += 500) {
    ASSERT_EQ(Ask(app.window, test_message::kAlternateDrives, 500, pair), 500) << "after " << done << " drive changes";
  }
  for (int i = 0; i < kPageSwitches; ++i) {
    const bool tools = i % 2 == 0;
    ClickAt(container, tools ? toolsTab : generalTab);
    Ask(app.window, test_message::kRepaint);
    ASSERT_EQ(wt::IsShown(toolsGroup), tools) << "page switch " << i << " did not happen";
  }
  Ask(app.window, test_message::kFlatStyle, 0);
  Ask(app.window, test_message::kRepaint, 1);
  Ask(app.window, test_message::kFlatStyle, 1);
  Ask(app.window, test_message::kRepaint, 1);

  const Counts after = Measure(app);
  EXPECT_EQ(after.liveBlocks, before.liveBlocks) << "program heap blocks";
  EXPECT_EQ(after.gdiHeadroom, before.gdiHeadroom) << "GDI objects that can still be created";
  EXPECT_EQ(after.userHeadroom, before.userHeadroom) << "USER objects that can still be created";
  EXPECT_EQ(after.windows, before.windows) << "windows of the program";
  EXPECT_EQ(app.program.Close(), 0u);
}

}  // namespace
