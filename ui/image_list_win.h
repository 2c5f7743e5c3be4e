#pragma once
// A group of same-sized images taken from icon files, and each image as a
// picture (24-bit BMP bytes) for a picture box. Win32 layer.

#include <windows.h>
#include <commctrl.h>

#include <string_view>

#include "drive/text.h"
#include "ui/gdi_win.h"

inline void DestroyImageList(HIMAGELIST list) { ::ImageList_Destroy(list); }
using OwnedImageList = Owned<HIMAGELIST, DestroyImageList>;

// An empty group of `width` × `height` images in 32-bit colour with masks;
// empty (false) when it cannot be created.
OwnedImageList CreateImageGroup(int width, int height);

// Appends icon `index` of `file` (a GBK path; environment references such as
// %SystemRoot% are expanded first), drawn at the group's size. The large
// icon, or with `small` the small one, falling back to the large. The index
// of the new image, or -1 when the file yields no such icon (nothing added).
int AddIcon(HIMAGELIST group, std::string_view file, int index, bool small);

// Image `index` drawn on white at the group's size, as the bytes of a
// bottom-up 24-bit BMP file (3126 bytes for 32 × 32). Empty when the group
// is absent or has no such image.
Text PictureOfImage(HIMAGELIST group, int index);
