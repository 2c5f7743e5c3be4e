#include "ui/test_messages_win.h"

#ifdef KESTRUNE_TEST_BUILD
#include <vector>

#include "drive/drive_info.h"
#include "ui/flat_style_win.h"
#include "ui/form.h"
#include "ui/runtime_win.h"
#include "ui/test_messages.h"

namespace {

class Stopwatch {
 public:
  Stopwatch() { QueryPerformanceCounter(&start_); }
  LRESULT Nanoseconds() const {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<LRESULT>((now.QuadPart - start_.QuadPart) * 1000000000LL / frequency.QuadPart);
  }

 private:
  LARGE_INTEGER start_{};
};

// Creates objects until the system refuses one, then destroys them all: how
// many more the process could have. A bound far above any system's limit
// keeps a system without one from running away.
template <class Create, class Destroy>
LRESULT Headroom(Create create, Destroy destroy) {
  constexpr std::size_t kBound = 1u << 20;
  std::vector<decltype(create())> made;
  made.reserve(1u << 16);
  while (made.size() < kBound) {
    auto object = create();
    if (object == nullptr) break;
    made.push_back(object);
  }
  for (auto object : made) destroy(object);
  return static_cast<LRESULT>(made.size());
}

void RepaintNow(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

LRESULT ConfirmDrive(HWND window, WPARAM item, bool repaint) {
  HWND selector = ControlWindow(驱动器框1);
  if (selector == nullptr) return -1;
  const Stopwatch watch;
  if (SendMessageW(selector, CB_SETCURSEL, item, 0) == CB_ERR) return -1;
  // What the list itself sends its parent when the user confirms a choice.
  SendMessageW(GetParent(selector), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(selector) & 0xFFFF, CBN_SELENDOK),
               reinterpret_cast<LPARAM>(selector));
  if (repaint) RepaintNow(window);
  return watch.Nanoseconds();
}

LRESULT Repaint(HWND window, WPARAM whole) {
  const Stopwatch watch;
  if (whole != 0) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  RepaintNow(window);
  return watch.Nanoseconds();
}

Text ReadSelectorDrive() { return ReadCurrentDrive(驱动器框1); }

LRESULT TimeDriveQuery() {
  DriveInfo scratch;
  const Stopwatch watch;
  QueryDriveInfo(SystemDrivePlatform(), ReadSelectorDrive, scratch);
  return watch.Nanoseconds();
}

}  // namespace

bool AnswerTestMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case test_message::kLiveTexts:
      result = static_cast<LRESULT>(LiveProgramBlocks());
      return true;
    case test_message::kGdiHeadroom:
      result = Headroom([] { return CreateRectRgn(0, 0, 1, 1); }, [](HRGN region) { DeleteObject(region); });
      return true;
    case test_message::kUserHeadroom:
      result = Headroom([] { return CreateMenu(); }, [](HMENU menu) { DestroyMenu(menu); });
      return true;
    case test_message::kFlatStyle:
      if (wParam != 0) {
        VisualStyleOn(1);
      } else {
        VisualStyleOff();
      }
      result = 1;
      return true;
    case test_message::kConfirmDrive:
      result = ConfirmDrive(window, wParam, lParam == 0);
      return true;
    case test_message::kRepaint:
      result = Repaint(window, wParam);
      return true;
    case test_message::kTimeDriveQuery:
      result = TimeDriveQuery();
      return true;
    case test_message::kAlternateDrives: {
      const WPARAM items[] = {LOWORD(lParam), HIWORD(lParam)};
      result = static_cast<LRESULT>(wParam);
      for (WPARAM i = 0; i < wParam && result >= 0; ++i) {
        if (ConfirmDrive(window, items[i % 2], true) < 0) result = -1;
      }
      return true;
    }
    case test_message::kDriveCount: {
      HWND selector = ControlWindow(驱动器框1);
      result = selector != nullptr ? SendMessageW(selector, CB_GETCOUNT, 0, 0) : 0;
      return true;
    }
    default:
      return false;
  }
}
#endif
