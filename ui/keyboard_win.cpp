#include "ui/keyboard_win.h"

#include <array>

#include "ui/form.h"
#include "ui/keyboard.h"
#include "ui/runtime_win.h"

namespace {

// The form's controls as they are now, in Order, with their windows.
struct FormState {
  std::array<ControlState, 64> states{};
  std::array<HWND, 64> windows{};
  std::size_t count = 0;

  std::span<const ControlState> view() const { return {states.data(), count}; }
};

FormState ReadFormState() {
  FormState form;
  for (const ControlSpec& spec : MainFormControls()) {
    if (form.count == form.states.size()) break;
    HWND window = ControlWindow(spec.id);
    form.windows[form.count] = window;
    form.states[form.count] = {&spec, window != nullptr && ::IsWindowVisible(window) != FALSE,
                               window != nullptr && ::IsWindowEnabled(window) != FALSE};
    ++form.count;
  }
  return form;
}

// The control that holds the focus (itself, or a window inside it), or
// kNoControl.
int FocusedIndex(const FormState& form) {
  for (HWND focus = ::GetFocus(); focus != nullptr; focus = ::GetParent(focus)) {
    for (std::size_t i = 0; i < form.count; ++i)
      if (form.windows[i] == focus) return static_cast<int>(i);
  }
  return kNoControl;
}

void Focus(const FormState& form, int index) {
  HWND window = form.windows[index];
  ::SetFocus(window);
  // As in a dialog, an edit box reached from the keyboard has its text selected.
  if (form.states[index].control->kind == ControlKind::EditBox) ::SendMessageW(window, EM_SETSEL, 0, -1);
}

bool IsDown(int key) { return ::GetKeyState(key) < 0; }

bool BelongsToMainWindow(HWND window) {
  HWND main = MainWindow();
  return main != nullptr && (window == main || ::IsChild(main, window));
}

bool OnTab() {
  const FormState form = ReadFormState();
  const int next = NextFocusIndex(form.view(), FocusedIndex(form), IsDown(VK_SHIFT));
  if (next != kNoControl) Focus(form, next);
  return true;
}

// Esc belongs to the drive selector while its list is open (it closes the
// list) and to a divider line being dragged (it cancels the drag); otherwise
// it closes the window as the title bar's button does.
bool OnEscape() {
  if (::GetCapture() != nullptr) return false;
  HWND selector = ControlWindow(驱动器框1);
  if (selector != nullptr && ::SendMessageW(selector, CB_GETDROPPEDSTATE, 0, 0) != 0) return false;
  ::PostMessageW(MainWindow(), WM_CLOSE, 0, 0);
  return true;
}

// Alt+letter or digit arrives as WM_SYSCHAR. Consuming it there keeps it from
// the platform, which would otherwise beep and look for a menu.
bool OnAccessKey(wchar_t key) {
  if (IsDown(VK_CONTROL) || IsDown(VK_SHIFT) || key > 0x7F) return false;
  const FormState form = ReadFormState();
  const int found = FindAccessKeyIndex(form.view(), static_cast<char>(key));
  if (found == kNoControl) return false;
  if (form.states[found].control->kind == ControlKind::Button)
    ::SendMessageW(form.windows[found], BM_CLICK, 0, 0);
  else
    Focus(form, found);
  return true;
}

}  // namespace

bool FilterMainWindowKey(MSG& msg) {
  if (!BelongsToMainWindow(msg.hwnd)) return false;
  const bool alt = IsDown(VK_MENU);
  // Without Alt a key arrives as a "system" key only while no window has the
  // focus; it is the same key then.
  if (msg.message == WM_KEYDOWN || (msg.message == WM_SYSKEYDOWN && !alt)) {
    switch (msg.wParam) {
      case VK_ESCAPE: return OnEscape();
      case VK_TAB: return !IsDown(VK_CONTROL) && OnTab();
      case VK_F1: return true;
      default: return false;
    }
  }
  if (msg.message == WM_SYSCHAR && alt) return OnAccessKey(static_cast<wchar_t>(msg.wParam));
  return false;
}

void FocusFirstControlOfPage(int page) {
  const FormState form = ReadFormState();
  const int first = FirstPageFocusIndex(form.view(), page);
  if (first != kNoControl) Focus(form, first);
}
