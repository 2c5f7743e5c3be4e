#pragma once
// The main window's form: the window and its 30 controls as data. The
// runtime builds the window from this table alone.

#include <cstdint>
#include <span>

using ControlId = std::uint32_t;

enum class ControlKind { Window, EditBox, PicBox, GroupBox, Label, Button, DriverBox, PageControl, PieChart, SplitterBar };

// The events the form binds. What each does is the program's (app/).
enum class Handler {
  None,
  OnMainWindowCreated,
  OnDriveSelectionChanged,
  OnCheckDiskClicked,
  OnDefragClicked,
  OnDiskCleanupClicked,
  OnOkClicked,
  OnCancelClicked,
};

// A colour in 0x00BBGGRR order; kButtonFace stands for the system's
// button-face colour.
using Colour = std::uint32_t;
inline constexpr Colour kButtonFace = 0xFF000000;

inline constexpr int kNoPage = -1;

struct ControlSpec {
  int order;  // place in the form: stacking (1 on top) and, reversed, creation
  ControlKind kind;
  const char* name;
  ControlId id;
  ControlId parent;  // kMainWindowElement for the window itself
  int page;          // page of the tab container the control shows on, or kNoPage
  int x, y, width, height;
  const char* text;  // GBK; null when the form gives none
  Colour textColour;
  Colour backColour;
  bool clientEdge;    // WS_EX_CLIENTEDGE
  bool dialogFrame;   // WS_EX_DLGMODALFRAME
  bool wordBreak;     // several lines, broken at CR LF and word boundaries
  bool tabStop;       // in the keyboard's focus cycle
  Handler onEvent;    // clicked / selection changed
};

struct WindowSpec {
  ControlId id;       // the window's identifier
  ControlId element;  // the window as an element of its own form
  const char* title;
  int x, y, width, height;
  Handler onCreated;
};

inline constexpr ControlId kMainWindowId = 0x52010001;
inline constexpr ControlId kMainWindowElement = 0x06010000;

const WindowSpec& MainWindowSpec();
// The controls in Order (1 first).
std::span<const ControlSpec> MainFormControls();
// The control with that identifier, or null.
const ControlSpec* FindControl(ControlId id);
// The page a control shows on, through its group box, or kNoPage.
int PageOf(const ControlSpec& control);
// Whether a form can be built: Orders 1, 2, 3, ... in sequence, identifiers
// unique, every parent the window or a container (tab container or group
// box) of the form, a page named exactly by the tab container's children.
bool FormIsConsistent(const WindowSpec& window, std::span<const ControlSpec> controls);

// The page captions of the tab container, in page order.
inline constexpr const char* kPageCaptions[] = {"常规", "工具"};

// The controls' identifiers, under their names in the form.
inline constexpr ControlId 标签8 = 0x1601008C;
inline constexpr ControlId 分组框2 = 0x16010087;
inline constexpr ControlId 按钮_开始检查 = 0x16010088;
inline constexpr ControlId 标签7 = 0x16010089;
inline constexpr ControlId 图片框_硬盘图标2 = 0x1601008A;
inline constexpr ControlId 按钮_开始整理 = 0x16010085;
inline constexpr ControlId 标签6 = 0x16010084;
inline constexpr ControlId 图片框_硬盘图标1 = 0x16010083;
inline constexpr ControlId 分组框1 = 0x16010082;
inline constexpr ControlId 分隔条3 = 0x16010081;
inline constexpr ControlId 分隔条2 = 0x16010080;
inline constexpr ControlId 分隔条1 = 0x1601007F;
inline constexpr ControlId 标签4 = 0x1601007D;
inline constexpr ControlId 标签5 = 0x1601007E;
inline constexpr ControlId 标签_己用空间GB = 0x1601006D;
inline constexpr ControlId 标签_可用空间GB = 0x1601006E;
inline constexpr ControlId 按钮_取消 = 0x16010017;
inline constexpr ControlId 按钮_确定 = 0x16010016;
inline constexpr ControlId 按钮_硬盘清理 = 0x16010015;
inline constexpr ControlId 驱动器框1 = 0x16010014;
inline constexpr ControlId 饼形图控件1 = 0x16010012;
inline constexpr ControlId 标签_容量 = 0x16010011;
inline constexpr ControlId 标签3 = 0x16010010;
inline constexpr ControlId 标签_己用空间 = 0x1601000E;
inline constexpr ControlId 标签_可用空间 = 0x1601000D;
inline constexpr ControlId 标签2 = 0x1601000C;
inline constexpr ControlId 标签1 = 0x1601000B;
inline constexpr ControlId 编辑框1 = 0x16010008;
inline constexpr ControlId 图片框_硬盘图标 = 0x16010004;
inline constexpr ControlId 高级选择夹1 = 0x16010003;
