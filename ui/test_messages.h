#pragma once
// Private messages that the test build of the program (KestruneTest.exe)
// answers at its main window, so that the leak soak and the benchmarks can
// drive it and read its counters from another process. The shipped program
// answers none of them. Platform-free: the window tests and the bench driver
// include it too.

namespace test_message {

inline constexpr unsigned kBase = 0x8000 + 0x200;  // WM_APP + 0x200

enum : unsigned {
  // → blocks taken from the program heap and not yet given back.
  kLiveTexts = kBase,
  // → GDI objects the process can still create before the system refuses.
  kGdiHeadroom,
  // → USER objects that can still be created (windows, menus, icons and hooks
  // share one handle table; counted with menus).
  kUserHeadroom,
  // wParam 0: the flat style off; otherwise on (switching off first) → 1.
  kFlatStyle,
  // wParam: an item of the drive selector's list. Selects it and confirms it
  // as the user's choice in the list does, then (unless lParam is not 0)
  // repaints every window of the program at once → nanoseconds taken, or -1
  // without such an item.
  kConfirmDrive,
  // Repaints every window of the program at once, whatever is due, and once
  // more with the whole window invalidated when wParam is not 0 →
  // nanoseconds taken.
  kRepaint,
  // One query of the shown drive into a scratch record, the record the
  // display uses untouched → nanoseconds taken.
  kTimeDriveQuery,
  // → the drive selector's number of items.
  kDriveCount,
  // wParam: a count; lParam: two items of the drive selector's list (low and
  // high word). Confirms them in turn, `count` choices in all, each repainted
  // at once, as kConfirmDrive does → the count, or -1 when a choice failed.
  kAlternateDrives,
};

}  // namespace test_message
