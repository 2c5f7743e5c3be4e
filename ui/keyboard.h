#pragma once
// The main window's keyboard decisions, on plain data: where Tab and
// Shift+Tab move the focus, which control an Alt access key reaches, and
// which control takes the focus when a page is selected. The Win32 key filter
// (keyboard_win.cpp) only gathers the controls' states and carries out the
// answer.

#include <span>
#include <string_view>

#include "ui/form.h"

// One control of the form as the keyboard sees it now.
struct ControlState {
  const ControlSpec* control;
  bool visible;  // shown, and every ancestor shown
  bool enabled;
};

inline constexpr int kNoControl = -1;

// The control Tab (or Shift+Tab when `backward`) moves the focus to.
// `inOrder` holds the controls in form Order (1 first); the focus cycle runs
// through the tab stops in creation order, which is the reverse of Order,
// skipping hidden and disabled controls and wrapping at either end.
// `current` is the index of the focused control, or kNoControl when none of
// the controls has the focus. From a control outside the cycle (hidden,
// disabled or not a tab stop) the move goes to the next qualifying tab stop
// from that control's place in creation order; from no control at all it goes
// to the first (forward) or the last (backward) one.
// Returns an index into `inOrder`, or kNoControl when no tab stop qualifies.
int NextFocusIndex(std::span<const ControlState> inOrder, int current, bool backward);

// Whether `caption` marks `key` as its access key: an "&" followed by that
// character, letters matched in either case. "&&" is a literal ampersand.
bool CaptionHasAccessKey(std::string_view caption, char key);

// The control that Alt+`key` reaches: the first in Order that is visible and
// enabled and whose caption marks `key`. Only letters A-Z and digits 0-9 are
// access keys (either case). Returns an index into `inOrder`, or kNoControl.
int FindAccessKeyIndex(std::span<const ControlState> inOrder, char key);

// The control that takes the focus when `page` is selected: the first of
// that page's own controls (not those inside its group boxes) in Order that
// is enabled and is neither a label, a group box, a picture box nor the tab
// container. Returns an index into `inOrder`, or kNoControl when none
// qualifies and the focus stays where it is.
int FirstPageFocusIndex(std::span<const ControlState> inOrder, int page);
