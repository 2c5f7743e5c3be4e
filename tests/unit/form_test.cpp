// The form table: consistent as a whole, and the facts about the controls
// that the rest of the program and the window's users rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "ui/form.h"

namespace {

std::vector<ControlId> ControlsWhere(auto predicate) {
  std::vector<ControlId> ids;
  for (const ControlSpec& c : MainFormControls()) {
    if (predicate(c)) ids.push_back(c.id);
  }
  return ids;
}

TEST(Form, IsConsistentAndHasThirtyControlsInOrder) {
  const auto controls = MainFormControls();
  ASSERT_EQ(controls.size(), 30u);
  EXPECT_TRUE(FormIsConsistent(MainWindowSpec(), controls));
  for (std::size_t i = 0; i < controls.size(); ++i) {
    EXPECT_EQ(controls[i].order, static_cast<int>(i) + 1);
    EXPECT_EQ(FindControl(controls[i].id), &controls[i]) << controls[i].name;
  }
  EXPECT_EQ(FindControl(kMainWindowId), nullptr);
  EXPECT_EQ(FindControl(0), nullptr);
}

TEST(Form, ConsistencyCheckRejectsBrokenForms) {
  const auto original = MainFormControls();
  struct Case {
    const char* what;
    void (*breakIt)(std::vector<ControlSpec>& controls);
  };
  const Case cases[] = {
      {"duplicate identifier", [](auto& c) { c[5].id = c[3].id; }},
      {"missing parent", [](auto& c) { c[0].parent = 0x16019999; }},
      {"parent not a container", [](auto& c) { c[3].parent = 标签8; }},
      {"own parent", [](auto& c) { c[1].parent = c[1].id; }},
      {"page on a group's child", [](auto& c) { c[2].page = 1; }},
      {"no page on the tab container's child", [](auto& c) { c[0].page = kNoPage; }},
      {"page out of range", [](auto& c) { c[0].page = 2; }},
      {"page on the window's child", [](auto& c) { c[16].page = 0; }},
      {"order gap", [](auto& c) { c[7].order = 9; }},
      {"empty size", [](auto& c) { c[9].height = 0; }},
      {"a second window", [](auto& c) { c[12].kind = ControlKind::Window; }},
      {"the window's identifier", [](auto& c) { c[12].id = kMainWindowId; }},
  };
  for (const Case& test : cases) {
    std::vector<ControlSpec> controls(original.begin(), original.end());
    test.breakIt(controls);
    EXPECT_FALSE(FormIsConsistent(MainWindowSpec(), controls)) << test.what;
  }
}

TEST(Form, Window) {
  const WindowSpec& window = MainWindowSpec();
  EXPECT_EQ(window.id, 0x52010001u);
  EXPECT_EQ(window.element, 0x06010000u);
  EXPECT_STREQ(window.title, "Kestrune1.0");
  EXPECT_EQ(window.width, 380);
  EXPECT_EQ(window.height, 500);
  EXPECT_EQ(window.onCreated, Handler::OnMainWindowCreated);
}

TEST(Form, PagesHoldTheirControls) {
  const std::vector<ControlId> general = {分隔条3, 分隔条2, 分隔条1, 标签4, 标签5, 标签_己用空间GB,
                                          标签_可用空间GB, 按钮_硬盘清理, 驱动器框1, 饼形图控件1, 标签_容量,
                                          标签3, 标签_己用空间, 标签_可用空间, 标签2, 标签1, 编辑框1, 图片框_硬盘图标};
  const std::vector<ControlId> toolsOwn = {标签8, 分组框2, 分组框1};
  const std::vector<ControlId> tools = {标签8, 分组框2, 按钮_开始检查, 标签7, 图片框_硬盘图标2,
                                        按钮_开始整理, 标签6, 图片框_硬盘图标1, 分组框1};
  const std::vector<ControlId> none = {按钮_取消, 按钮_确定, 高级选择夹1};
  EXPECT_EQ(ControlsWhere([](const ControlSpec& c) { return c.page == 0; }), general);
  EXPECT_EQ(ControlsWhere([](const ControlSpec& c) { return c.page == 1; }), toolsOwn);
  EXPECT_EQ(ControlsWhere([](const ControlSpec& c) { return PageOf(c) == 0; }), general);
  EXPECT_EQ(ControlsWhere([](const ControlSpec& c) { return PageOf(c) == 1; }), tools);
  EXPECT_EQ(ControlsWhere([](const ControlSpec& c) { return PageOf(c) == kNoPage; }), none);
}

TEST(Form, DividerLinesAreHorizontalBarsAcrossThePage) {
  for (ControlId id : {分隔条1, 分隔条2, 分隔条3}) {
    const ControlSpec& bar = *FindControl(id);
    EXPECT_EQ(bar.kind, ControlKind::SplitterBar);
    EXPECT_EQ(bar.width, 352);
    EXPECT_EQ(bar.height, 1);
    EXPECT_EQ(bar.x, 8);
  }
  // 分隔条1 crosses the chart 131 pixels below its top and lies above it.
  const ControlSpec& chart = *FindControl(饼形图控件1);
  const ControlSpec& line = *FindControl(分隔条1);
  EXPECT_EQ(line.y - chart.y, 131);
  EXPECT_LT(line.order, chart.order);
}

TEST(Form, EveryControlFitsItsParent) {
  for (const ControlSpec& c : MainFormControls()) {
    int width = MainWindowSpec().width;
    int height = MainWindowSpec().height;
    if (const ControlSpec* parent = FindControl(c.parent)) {
      width = parent->width;
      height = parent->height;
    }
    EXPECT_GE(c.x, 0) << c.name;
    EXPECT_GE(c.y, 0) << c.name;
    EXPECT_LE(c.x + c.width, width) << c.name;
    EXPECT_LE(c.y + c.height, height) << c.name;
  }
}

TEST(Form, TabStopsInCreationOrder) {
  std::vector<ControlId> stops;
  const auto controls = MainFormControls();
  for (auto c = controls.rbegin(); c != controls.rend(); ++c) {
    if (c->tabStop) stops.push_back(c->id);
  }
  const std::vector<ControlId> expected = {编辑框1, 饼形图控件1, 驱动器框1, 按钮_硬盘清理, 按钮_确定, 按钮_取消,
                                           分隔条1, 分隔条2, 分隔条3, 按钮_开始整理, 按钮_开始检查};
  EXPECT_EQ(stops, expected);
}

TEST(Form, EventBindings) {
  struct Binding {
    ControlId id;
    Handler handler;
  };
  const Binding bound[] = {{驱动器框1, Handler::OnDriveSelectionChanged}, {按钮_开始检查, Handler::OnCheckDiskClicked},
                           {按钮_开始整理, Handler::OnDefragClicked},       {按钮_硬盘清理, Handler::OnDiskCleanupClicked},
                           {按钮_确定, Handler::OnOkClicked},              {按钮_取消, Handler::OnCancelClicked}};
  int boundCount = 0;
  for (const ControlSpec& c : MainFormControls()) {
    if (c.onEvent != Handler::None) ++boundCount;
  }
  EXPECT_EQ(boundCount, 6);
  for (const Binding& b : bound) EXPECT_EQ(FindControl(b.id)->onEvent, b.handler) << FindControl(b.id)->name;
}

TEST(Form, TextsAndLooks) {
  // GBK bytes of "己用空间:" begin with 己 (BC BA), not 已 (D2 D1).
  EXPECT_EQ(std::string_view(FindControl(标签2)->text), "己用空间:");
  EXPECT_EQ(static_cast<unsigned char>(FindControl(标签2)->text[0]), 0xBCu);
  EXPECT_EQ(std::string_view(FindControl(按钮_开始检查)->text), "开始检查 (&C)...");
  EXPECT_EQ(std::string_view(FindControl(按钮_硬盘清理)->text), "硬盘清理 (&D)");
  EXPECT_EQ(FindControl(标签4)->backColour, 0x00FF0000u);
  EXPECT_EQ(FindControl(标签5)->backColour, 0x00FF00FFu);
  EXPECT_TRUE(FindControl(标签4)->clientEdge && FindControl(标签5)->clientEdge);
  EXPECT_EQ(FindControl(分组框2)->textColour, 0x00FF0000u);

  const ControlSpec& about = *FindControl(标签8);
  EXPECT_TRUE(about.wordBreak && about.clientEdge && about.dialogFrame);
  std::vector<std::string_view> lines;
  std::string_view text = about.text;
  for (std::size_t at; (at = text.find("\r\n")) != std::string_view::npos; text.remove_prefix(at + 2)) {
    lines.push_back(text.substr(0, at));
  }
  lines.push_back(text);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], "   软件说明:");
  EXPECT_TRUE(lines[1].empty() && lines[2].empty());
  EXPECT_EQ(lines[4], "   作者:     Ardelin");
  EXPECT_EQ(lines[5].substr(0, 13), "     QQ:     ");
  EXPECT_TRUE(lines[5].size() > 13 && std::all_of(lines[5].begin() + 13, lines[5].end(),
                                                  [](char ch) { return ch >= '0' && ch <= '9'; }));
  EXPECT_EQ(lines[7], "   ");
}

}  // namespace
