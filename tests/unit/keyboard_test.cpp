#include "ui/keyboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ControlSpec Spec(ControlKind kind, ControlId id, int page, const char* text, bool tabStop) {
  ControlSpec spec{};
  spec.kind = kind;
  spec.id = id;
  spec.page = page;
  spec.text = text;
  spec.tabStop = tabStop;
  return spec;
}

// A small form shaped like the main window: a page "工具" (1) with a label and
// a group box holding two buttons, a page "常规" (0) with a divider line, a
// label, a button and an edit box, the window's two buttons, and the tab
// container last. In Order; creation runs from the last to the first.
const ControlSpec kForm[] = {
    Spec(ControlKind::Label, 1, 1, "   软件说明:", false),            // 0
    Spec(ControlKind::GroupBox, 2, 1, "查错", false),                 // 1
    Spec(ControlKind::Button, 3, kNoPage, "开始检查 (&C)...", true),  // 2 (in the group box)
    Spec(ControlKind::Button, 4, kNoPage, "开始整理 (&D)...", true),  // 3 (in the group box)
    Spec(ControlKind::SplitterBar, 5, 0, nullptr, true),             // 4
    Spec(ControlKind::Label, 6, 0, "标签", false),                    // 5
    Spec(ControlKind::Button, 7, kNoPage, "取消", true),              // 6
    Spec(ControlKind::Button, 8, 0, "硬盘清理 (&D)", true),           // 7
    Spec(ControlKind::EditBox, 9, 0, "", true),                      // 8
    Spec(ControlKind::PageControl, 10, kNoPage, nullptr, false),     // 9
};
constexpr int kTools[] = {0, 1, 2, 3};
constexpr int kGeneral[] = {4, 5, 7, 8};

// The form with page `page` shown: the other page's controls hidden.
std::vector<ControlState> Shown(int page) {
  std::vector<ControlState> states;
  for (const ControlSpec& spec : kForm) states.push_back({&spec, true, true});
  for (int i : page == 0 ? kTools : kGeneral) states[i].visible = false;
  return states;
}

// Ids visited by pressing Tab `count` times from `start`.
std::vector<ControlId> Walk(const std::vector<ControlState>& states, int start, bool backward, int count) {
  std::vector<ControlId> ids;
  int at = start;
  for (int n = 0; n < count; ++n) {
    at = NextFocusIndex(states, at, backward);
    ids.push_back(at == kNoControl ? 0 : states[at].control->id);
  }
  return ids;
}

TEST(FocusOrder, CyclesThroughTheShownTabStopsInCreationOrderBothWays) {
  // Page 0: edit box, clean-up button, Cancel, divider line, and round again.
  EXPECT_EQ(Walk(Shown(0), 8, false, 5), (std::vector<ControlId>{8, 7, 5, 9, 8}));
  EXPECT_EQ(Walk(Shown(0), 8, true, 5), (std::vector<ControlId>{5, 7, 8, 9, 5}));
  // Page 1: Cancel, then the two group-box buttons; page 0's are skipped.
  EXPECT_EQ(Walk(Shown(1), 6, false, 4), (std::vector<ControlId>{4, 3, 7, 4}));
  EXPECT_EQ(Walk(Shown(1), 6, true, 4), (std::vector<ControlId>{3, 4, 7, 3}));
}

TEST(FocusOrder, SkipsDisabledControls) {
  auto states = Shown(0);
  states[6].enabled = false;  // Cancel
  EXPECT_EQ(Walk(states, 7, false, 2), (std::vector<ControlId>{5, 9}));
  EXPECT_EQ(Walk(states, 4, true, 1), (std::vector<ControlId>{8}));
}

TEST(FocusOrder, FromAControlOutsideTheCycle) {
  // The divider line on page 0 kept the focus when page 1 hid it: Tab goes on
  // from its place in creation order, Shift+Tab back from there.
  EXPECT_EQ(Walk(Shown(1), 4, false, 1), (std::vector<ControlId>{4}));
  EXPECT_EQ(Walk(Shown(1), 4, true, 1), (std::vector<ControlId>{7}));
  // A label is not a tab stop: the move starts from its place.
  EXPECT_EQ(Walk(Shown(0), 5, false, 1), (std::vector<ControlId>{5}));
  EXPECT_EQ(Walk(Shown(0), 5, true, 1), (std::vector<ControlId>{7}));
  // No control focused (the window itself): first or last of the cycle.
  EXPECT_EQ(Walk(Shown(0), kNoControl, false, 1), (std::vector<ControlId>{9}));
  EXPECT_EQ(Walk(Shown(0), kNoControl, true, 1), (std::vector<ControlId>{5}));
}

TEST(FocusOrder, LoneOrMissingTabStops) {
  auto states = Shown(0);
  for (int i : {6, 7, 8}) states[i].enabled = false;
  EXPECT_EQ(NextFocusIndex(states, 4, false), 4);  // the only one keeps the focus
  EXPECT_EQ(NextFocusIndex(states, 4, true), 4);
  states[4].visible = false;
  EXPECT_EQ(NextFocusIndex(states, 4, false), kNoControl);
  EXPECT_EQ(NextFocusIndex({}, kNoControl, false), kNoControl);
}

TEST(AccessKey, CaptionMarks) {
  struct Case {
    const char* caption;
    char key;
    bool marked;
  };
  const Case cases[] = {
      {"开始检查 (&C)...", 'C', true},
      {"开始检查 (&C)...", 'c', true},
      {"开始检查 (&C)...", 'D', false},
      {"硬盘清理 (&d)", 'D', true},
      {"&1 first", '1', true},
      {"Save && Exit", 'E', false},  // a literal ampersand marks nothing
      {"A &&B &x", 'X', true},
      {"A &&B &x", 'B', false},
      {"ends with &", '&', false},
      {"", 'A', false},
      {"确定", 'C', false},
      // 0xB6 0x26 is no GBK character, but "&" is never a trailing byte: after
      // a lead byte the next byte is skipped, so "&A" here is not read as a mark.
      {"\xB6&A", 'A', false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CaptionHasAccessKey(c.caption, c.key), c.marked) << c.caption << " / " << c.key;
}

TEST(AccessKey, FirstShownEnabledControlInOrder) {
  // Page 1: Alt+D reaches the group box's button (Order before the clean-up
  // button), Alt+C the check button.
  EXPECT_EQ(FindAccessKeyIndex(Shown(1), 'D'), 3);
  EXPECT_EQ(FindAccessKeyIndex(Shown(1), 'c'), 2);
  // Page 0: the hidden one is passed over; nothing has C.
  EXPECT_EQ(FindAccessKeyIndex(Shown(0), 'd'), 7);
  EXPECT_EQ(FindAccessKeyIndex(Shown(0), 'C'), kNoControl);
  // A disabled control is passed over as well.
  auto states = Shown(1);
  states[3].enabled = false;
  EXPECT_EQ(FindAccessKeyIndex(states, 'D'), kNoControl);
  // Only letters and digits are access keys.
  for (char key : {'&', ' ', '.', '\0', '('}) EXPECT_EQ(FindAccessKeyIndex(Shown(1), key), kNoControl) << key;
}

TEST(PageFocus, FirstEnabledControlOfThePagesOwnList) {
  EXPECT_EQ(FirstPageFocusIndex(Shown(0), 0), 4);  // the divider line, not the label
  // Page 1 has only a label and a group box of its own; its buttons belong to
  // the group box, so no control qualifies.
  EXPECT_EQ(FirstPageFocusIndex(Shown(1), 1), kNoControl);
  auto states = Shown(0);
  states[4].enabled = false;
  EXPECT_EQ(FirstPageFocusIndex(states, 0), 7);
  // Visibility does not matter: the page is being shown as the focus moves.
  states = Shown(1);
  EXPECT_EQ(FirstPageFocusIndex(states, 0), 4);
}

}  // namespace
