#include "ui/keyboard.h"

namespace {

bool InFocusCycle(const ControlState& state) {
  return state.control->tabStop && state.visible && state.enabled;
}

char FoldLetter(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsAccessKey(char c) {
  c = FoldLetter(c);
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

int NextFocusIndex(std::span<const ControlState> inOrder, int current, bool backward) {
  const int count = static_cast<int>(inOrder.size());
  if (count == 0) return kNoControl;
  // Creation order is the reverse of Order, so "forward" walks towards Order 1.
  const int step = backward ? 1 : -1;
  int start = current;
  if (current < 0 || current >= count) start = backward ? -1 : count;  // one step before the first
  for (int n = 1; n <= count; ++n) {
    const int i = ((start + step * n) % count + count) % count;
    if (InFocusCycle(inOrder[i])) return i;
  }
  return kNoControl;
}

bool CaptionHasAccessKey(std::string_view caption, char key) {
  key = FoldLetter(key);
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    const auto c = static_cast<unsigned char>(caption[i]);
    if (c >= 0x80) {
      ++i;  // a GBK character of two bytes: its second byte is never an "&" mark
      continue;
    }
    if (c != '&') continue;
    const char next = caption[i + 1];
    if (next == '&') {
      ++i;  // "&&" draws one ampersand
      continue;
    }
    if (FoldLetter(next) == key) return true;
  }
  return false;
}

int FindAccessKeyIndex(std::span<const ControlState> inOrder, char key) {
  if (!IsAccessKey(key)) return kNoControl;
  for (std::size_t i = 0; i < inOrder.size(); ++i) {
    const ControlState& state = inOrder[i];
    if (state.visible && state.enabled && state.control->text != nullptr &&
        CaptionHasAccessKey(state.control->text, key))
      return static_cast<int>(i);
  }
  return kNoControl;
}

int FirstPageFocusIndex(std::span<const ControlState> inOrder, int page) {
  for (std::size_t i = 0; i < inOrder.size(); ++i) {
    const ControlState& state = inOrder[i];
    const ControlKind kind = state.control->kind;
    if (state.control->page != page || !state.enabled) continue;
    if (kind == ControlKind::Label || kind == ControlKind::GroupBox || kind == ControlKind::PicBox ||
        kind == ControlKind::PageControl)
      continue;
    return static_cast<int>(i);
  }
  return kNoControl;
}
