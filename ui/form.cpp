// The main window's form. Every fact about a control lives in this table;
// the runtime and the control kinds read it and hard-code nothing.
#include "ui/form.h"

#include <algorithm>
#include <array>

namespace {

constexpr Colour kBlack = 0x00000000;
constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour kBlue = 0x00FF0000;
constexpr Colour kMagenta = 0x00FF00FF;

constexpr int kGeneral = 0;  // page "常规"
constexpr int kTools = 1;    // page "工具"

// The text about the program, eight lines joined by CR LF.
constexpr const char* kAboutText =
    "   软件说明:\r\n"
    "\r\n"
    "\r\n"
    "   本软件为绿色软件,请放心使用!\r\n"
    "   作者:     Ardelin\r\n"
    "     QQ:     271828182\r\n"
    "   捐肋说明  如果你喜欢本软件,可以给作者的QQ上打点QQ币.\r\n"
    "   ";

constexpr WindowSpec kMainWindow{kMainWindowId, kMainWindowElement, "Kestrune1.0", 50, 50, 380, 500,
                                 Handler::OnMainWindowCreated};

using K = ControlKind;
using H = Handler;
constexpr ControlId kWin = kMainWindowElement;

// clang-format off
constexpr std::array<ControlSpec, 30> kControls{{
//  Order kind           name                 id                 parent       page    x    y    w    h  text                      text     back      cEdge  dFrame wrap   tab    event
  { 1, K::Label,       "标签8",             标签8,             高级选择夹1, kTools,   8, 232, 360, 176, kAboutText,           kBlack, kWhite,      true,  true,  true,  false, H::None},
  { 2, K::GroupBox,    "分组框2",           分组框2,           高级选择夹1, kTools,   8,  32, 360,  96, "查错",               kBlue,  kWhite,      false, false, false, false, H::None},
  { 3, K::Button,      "按钮_开始检查",     按钮_开始检查,     分组框2,     kNoPage, 232, 56, 104,  24, "开始检查 (&C)...",    kBlack, kButtonFace, false, false, false, true,  H::OnCheckDiskClicked},
  { 4, K::Label,       "标签7",             标签7,             分组框2,     kNoPage,  64, 20, 152,  24, "该选项交将检查卷中错误。", kBlack, kWhite,  false, false, false, false, H::None},
  { 5, K::PicBox,      "图片框_硬盘图标2",  图片框_硬盘图标2,  分组框2,     kNoPage,  16, 24,  32,  32, nullptr,              kBlack, kButtonFace, false, false, false, false, H::None},
  { 6, K::Button,      "按钮_开始整理",     按钮_开始整理,     分组框1,     kNoPage, 232, 56, 104,  24, "开始整理 (&D)...",    kBlack, kButtonFace, false, false, false, true,  H::OnDefragClicked},
  { 7, K::Label,       "标签6",             标签6,             分组框1,     kNoPage,  64, 20, 152,  24, "该选项将整理卷中文件。", kBlack, kWhite,    false, false, false, false, H::None},
  { 8, K::PicBox,      "图片框_硬盘图标1",  图片框_硬盘图标1,  分组框1,     kNoPage,  16, 24,  32,  32, nullptr,              kBlack, kButtonFace, false, false, false, false, H::None},
  { 9, K::GroupBox,    "分组框1",           分组框1,           高级选择夹1, kTools,   8, 128, 360,  96, "硬盘整理",           kBlue,  kWhite,      false, false, false, false, H::None},
  {10, K::SplitterBar, "分隔条3",           分隔条3,           高级选择夹1, kGeneral, 8,  88, 352,   1, nullptr,              kBlack, kButtonFace, false, false, false, true,  H::None},
  {11, K::SplitterBar, "分隔条2",           分隔条2,           高级选择夹1, kGeneral, 8, 181, 352,   1, nullptr,              kBlack, kButtonFace, false, false, false, true,  H::None},
  {12, K::SplitterBar, "分隔条1",           分隔条1,           高级选择夹1, kGeneral, 8, 368, 352,   1, nullptr,              kBlack, kButtonFace, false, false, false, true,  H::None},
  {13, K::Label,       "标签4",             标签4,             高级选择夹1, kGeneral, 16, 116, 16,  16, "",                   kBlack, kBlue,       true,  false, false, false, H::None},
  {14, K::Label,       "标签5",             标签5,             高级选择夹1, kGeneral, 16, 149, 16,  16, "",                   kBlack, kMagenta,    true,  false, false, false, H::None},
  {15, K::Label,       "标签_己用空间GB",   标签_己用空间GB,   高级选择夹1, kGeneral, 264, 112, 72, 24, "标签",               kBlack, kWhite,      false, false, false, false, H::None},
  {16, K::Label,       "标签_可用空间GB",   标签_可用空间GB,   高级选择夹1, kGeneral, 264, 144, 72, 24, "标签",               kBlack, kWhite,      false, false, false, false, H::None},
  {17, K::Button,      "按钮_取消",         按钮_取消,         kWin,        kNoPage, 248, 432, 104, 24, "取消",               kBlack, kButtonFace, false, false, false, true,  H::OnCancelClicked},
  {18, K::Button,      "按钮_确定",         按钮_确定,         kWin,        kNoPage, 136, 432, 104, 24, "确定",               kBlack, kButtonFace, false, false, false, true,  H::OnOkClicked},
  {19, K::Button,      "按钮_硬盘清理",     按钮_硬盘清理,     高级选择夹1, kGeneral, 248, 390, 112, 24, "硬盘清理 (&D)",     kBlack, kButtonFace, false, false, false, true,  H::OnDiskCleanupClicked},
  {20, K::DriverBox,   "驱动器框1",         驱动器框1,         高级选择夹1, kGeneral, 24, 392, 200, 20, nullptr,              kBlack, kWhite,      false, false, false, true,  H::OnDriveSelectionChanged},
  {21, K::PieChart,    "饼形图控件1",       饼形图控件1,       高级选择夹1, kGeneral, 24, 237, 336, 144, "饼形图",            kBlack, kWhite,      false, false, false, true,  H::None},
  {22, K::Label,       "标签_容量",         标签_容量,         高级选择夹1, kGeneral, 104, 200, 256, 24, "标签",              kBlack, kWhite,      false, false, false, false, H::None},
  {23, K::Label,       "标签3",             标签3,             高级选择夹1, kGeneral, 24, 200, 64,  24, "容量:",              kBlack, kWhite,      false, false, false, false, H::None},
  {24, K::Label,       "标签_己用空间",     标签_己用空间,     高级选择夹1, kGeneral, 136, 112, 120, 24, "标签",              kBlack, kWhite,      false, false, false, false, H::None},
  {25, K::Label,       "标签_可用空间",     标签_可用空间,     高级选择夹1, kGeneral, 136, 144, 120, 24, "标签",              kBlack, kWhite,      false, false, false, false, H::None},
  {26, K::Label,       "标签2",             标签2,             高级选择夹1, kGeneral, 48, 112, 56,  24, "己用空间:",          kBlack, kWhite,      false, false, false, false, H::None},
  {27, K::Label,       "标签1",             标签1,             高级选择夹1, kGeneral, 48, 144, 56,  24, "可用空间:",          kBlack, kWhite,      false, false, false, false, H::None},
  {28, K::EditBox,     "编辑框1",           编辑框1,           高级选择夹1, kGeneral, 88,  48, 272, 24, "",                   kBlack, kWhite,      false, false, false, true,  H::None},
  {29, K::PicBox,      "图片框_硬盘图标",   图片框_硬盘图标,   高级选择夹1, kGeneral, 24,  42,  32, 32, nullptr,              kBlack, kButtonFace, false, false, false, false, H::None},
  {30, K::PageControl, "高级选择夹1",       高级选择夹1,       kWin,        kNoPage,  0,   0, 376, 424, nullptr,             kBlack, kButtonFace, false, false, false, false, H::None},
}};
// clang-format on

bool IsContainer(ControlKind kind) { return kind == ControlKind::PageControl || kind == ControlKind::GroupBox; }

const ControlSpec* Find(std::span<const ControlSpec> controls, ControlId id) {
  auto found = std::find_if(controls.begin(), controls.end(), [id](const ControlSpec& c) { return c.id == id; });
  return found == controls.end() ? nullptr : &*found;
}

}  // namespace

const WindowSpec& MainWindowSpec() { return kMainWindow; }

std::span<const ControlSpec> MainFormControls() { return kControls; }

const ControlSpec* FindControl(ControlId id) { return Find(kControls, id); }

int PageOf(const ControlSpec& control) {
  if (control.page != kNoPage) return control.page;
  const ControlSpec* parent = FindControl(control.parent);
  return parent != nullptr && parent != &control ? PageOf(*parent) : kNoPage;
}

bool FormIsConsistent(const WindowSpec& window, std::span<const ControlSpec> controls) {
  if (window.width <= 0 || window.height <= 0 || window.title == nullptr) return false;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlSpec& c = controls[i];
    if (c.order != static_cast<int>(i) + 1 || c.name == nullptr || c.width <= 0 || c.height <= 0) return false;
    if (c.kind == ControlKind::Window || c.id == window.id || c.id == window.element) return false;
    if (Find(controls.first(i), c.id) != nullptr) return false;  // identifiers unique
    if (c.parent == window.element) {
      if (c.page != kNoPage) return false;
      continue;
    }
    const ControlSpec* parent = Find(controls, c.parent);
    if (parent == nullptr || parent == &c || !IsContainer(parent->kind)) return false;
    // A page is named only by a child of the tab container; a group box's
    // children show on their group's page.
    const bool onPage = parent->kind == ControlKind::PageControl;
    if (onPage != (c.page != kNoPage)) return false;
    if (onPage && (c.page < 0 || c.page >= static_cast<int>(std::size(kPageCaptions)))) return false;
  }
  return true;
}
