#include "app/setup_win.h"

#include <cstdint>
#include <span>

#include "drive/refresh_win.h"
#include "ui/flat_style_win.h"
#include "ui/form.h"
#include "ui/image_list_win.h"
#include "ui/piechart_win.h"
#include "ui/runtime_win.h"

namespace {

// The shell library of the running system; the reference is expanded when
// the icons are taken.
constexpr const char* kIconFile = "%SystemRoot%\\system32\\shell32.dll";
constexpr int kIcons[] = {8, 80, 79};
// Image i goes to box i. A missing icon is not added, so the later images
// move up and the last boxes stay empty.
constexpr ControlId kIconBoxes[] = {图片框_硬盘图标, 图片框_硬盘图标1, 图片框_硬盘图标2};

}  // namespace

void OnMainWindowCreated() {
  VisualStyleOn(1);

  const OwnedImageList icons = CreateImageGroup(32, 32);
  for (int icon : kIcons) AddIcon(icons.get(), kIconFile, icon, false);
  for (int i = 0; i < 3; ++i) {
    const Text picture = PictureOfImage(icons.get(), i);
    WritePicture(kIconBoxes[i], std::span(reinterpret_cast<const std::uint8_t*>(picture.data()), picture.size()));
  }

  PieChartSetItemCount(ControlWindow(饼形图控件1), 2);
  RefreshDriveDisplay();
}  // the image group is released here
