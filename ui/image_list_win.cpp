#include "ui/image_list_win.h"

#include <shellapi.h>

#include "ui/text_win.h"

namespace {

// The path with its environment references (%SystemRoot%) expanded.
WideText ExpandedPath(std::string_view file) {
  WideText raw = WideFromText(file);
  const DWORD needed = ::ExpandEnvironmentStringsW(raw.c_str(), nullptr, 0);
  if (needed == 0) return raw;
  WideText expanded(needed, L'\0');
  const DWORD written = ::ExpandEnvironmentStringsW(raw.c_str(), expanded.data(), needed);
  if (written == 0 || written > needed) return raw;
  expanded.resize(written - 1);  // without the terminator
  return expanded;
}

// ExtractIcon answers 1 for a file that is no icon source at all.
bool IsIcon(HICON icon) { return icon != nullptr && icon != reinterpret_cast<HICON>(1); }

template <class T>
void Append(Text& out, const T& value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

OwnedImageList CreateImageGroup(int width, int height) {
  return OwnedImageList(::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4));
}

int AddIcon(HIMAGELIST group, std::string_view file, int index, bool small) {
  if (group == nullptr) return -1;
  const WideText path = ExpandedPath(file);
  HICON extracted = nullptr;
  if (small) ::ExtractIconExW(path.c_str(), index, nullptr, &extracted, 1);
  if (!IsIcon(extracted)) extracted = ::ExtractIconW(::GetModuleHandleW(nullptr), path.c_str(), static_cast<UINT>(index));
  if (!IsIcon(extracted)) return -1;
  const OwnedIcon icon(extracted);
  return ::ImageList_ReplaceIcon(group, -1, icon.get());
}

Text PictureOfImage(HIMAGELIST group, int index) {
  int width = 0;
  int height = 0;
  if (group == nullptr || index < 0 || index >= ::ImageList_GetImageCount(group) ||
      !::ImageList_GetIconSize(group, &width, &height) || width <= 0 || height <= 0)
    return {};

  const WindowDc screen(nullptr);
  OwnedBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
  OwnedMemoryDc dc(::CreateCompatibleDC(screen.get()));
  if (!bitmap || !dc) return {};
  {
    const Selection selected(dc.get(), bitmap.get());
    ::ImageList_SetBkColor(group, RGB(255, 255, 255));
    ::ImageList_Draw(group, index, dc.get(), 0, 0, ILD_NORMAL);
  }

  // Bottom-up rows of three bytes per pixel, each padded to four bytes.
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  info.biSizeImage = stride * static_cast<DWORD>(height);

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + info.biSizeImage;

  Text picture;
  picture.reserve(file.bfSize);
  Append(picture, file);
  Append(picture, info);
  picture.resize(file.bfSize);
  BITMAPINFOHEADER query = info;  // GetDIBits may write into the header it is given
  if (::GetDIBits(dc.get(), bitmap.get(), 0, static_cast<UINT>(height), picture.data() + file.bfOffBits,
                  reinterpret_cast<BITMAPINFO*>(&query), DIB_RGB_COLORS) != height)
    return {};
  return picture;
}
