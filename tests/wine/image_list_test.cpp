#include "ui/image_list_win.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr const char* kShellIcons = "%SystemRoot%\\system32\\shell32.dll";

struct Bmp {
  BITMAPFILEHEADER file;
  BITMAPINFOHEADER info;
};

Bmp HeadersOf(const Text& picture) {
  Bmp bmp{};
  std::memcpy(&bmp.file, picture.data(), sizeof bmp.file);
  std::memcpy(&bmp.info, picture.data() + sizeof bmp.file, sizeof bmp.info);
  return bmp;
}

// The pixel at (x, y) counted from the top, as 0x00BBGGRR.
COLORREF PixelOf(const Text& picture, int x, int y) {
  const Bmp bmp = HeadersOf(picture);
  const int stride = (bmp.info.biWidth * 3 + 3) & ~3;
  const auto* row = reinterpret_cast<const unsigned char*>(picture.data()) + bmp.file.bfOffBits +
                    static_cast<std::size_t>(bmp.info.biHeight - 1 - y) * stride;
  const unsigned char* p = row + x * 3;
  return RGB(p[2], p[1], p[0]);
}

TEST(ImageGroup, ShellIconsBecome24BitBmpPicturesOnWhite) {
  const OwnedImageList group = CreateImageGroup(32, 32);
  ASSERT_TRUE(group);
  EXPECT_EQ(AddIcon(group.get(), kShellIcons, 8, false), 0);
  EXPECT_EQ(AddIcon(group.get(), kShellIcons, 80, false), 1);
  EXPECT_EQ(AddIcon(group.get(), kShellIcons, 79, false), 2);

  for (int i = 0; i < 3; ++i) {
    const Text picture = PictureOfImage(group.get(), i);
    ASSERT_EQ(picture.size(), 3126u) << i;
    const Bmp bmp = HeadersOf(picture);
    EXPECT_EQ(bmp.file.bfType, 0x4D42);
    EXPECT_EQ(bmp.file.bfSize, 3126u);
    EXPECT_EQ(bmp.file.bfOffBits, 54u);
    EXPECT_EQ(bmp.info.biSize, 40u);
    EXPECT_EQ(bmp.info.biWidth, 32);
    EXPECT_EQ(bmp.info.biHeight, 32);  // positive: bottom-up rows
    EXPECT_EQ(bmp.info.biPlanes, 1);
    EXPECT_EQ(bmp.info.biBitCount, 24);
    EXPECT_EQ(bmp.info.biCompression, static_cast<DWORD>(BI_RGB));
    int white = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) white += PixelOf(picture, x, y) == RGB(255, 255, 255);
    EXPECT_GT(white, 0) << "the masked parts show white, image " << i;
    EXPECT_LT(white, 32 * 32) << "the icon itself is drawn, image " << i;
  }
  // The three are different icons.
  EXPECT_NE(PictureOfImage(group.get(), 0), PictureOfImage(group.get(), 1));
  EXPECT_NE(PictureOfImage(group.get(), 1), PictureOfImage(group.get(), 2));
}

TEST(ImageGroup, MissingIconsAddNothing) {
  const OwnedImageList group = CreateImageGroup(32, 32);
  ASSERT_TRUE(group);
  char exe[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  EXPECT_EQ(AddIcon(group.get(), "%SystemRoot%\\system32\\no-such-library.dll", 8, false), -1);
  EXPECT_EQ(AddIcon(group.get(), kShellIcons, 100000, false), -1);
  EXPECT_EQ(AddIcon(group.get(), "%SystemRoot%\\win.ini", 0, false), -1);  // not an icon source
  EXPECT_EQ(AddIcon(nullptr, kShellIcons, 8, false), -1);
  EXPECT_EQ(::ImageList_GetImageCount(group.get()), 0);
  // A small icon is drawn at the group's size like a large one.
  EXPECT_EQ(AddIcon(group.get(), kShellIcons, 8, true), 0);
  EXPECT_EQ(PictureOfImage(group.get(), 0).size(), 3126u);
}

TEST(ImageGroup, NoPictureWithoutAnImage) {
  const OwnedImageList group = CreateImageGroup(32, 32);
  EXPECT_TRUE(PictureOfImage(group.get(), 0).empty());
  EXPECT_TRUE(PictureOfImage(nullptr, 0).empty());
  ASSERT_EQ(AddIcon(group.get(), kShellIcons, 8, false), 0);
  EXPECT_TRUE(PictureOfImage(group.get(), 1).empty());
  EXPECT_TRUE(PictureOfImage(group.get(), -1).empty());
}

TEST(ImageGroup, TransparentPartsAreWhite) {
  // An icon whose left half is masked out and whose right half is red.
  const WindowDc screen(nullptr);
  OwnedBitmap colour(::CreateCompatibleBitmap(screen.get(), 32, 32));
  std::uint16_t maskBits[32 * 2];  // one bit per pixel, rows of 32 bits
  for (int y = 0; y < 32; ++y) {
    maskBits[y * 2] = 0xFFFF;  // left half: transparent
    maskBits[y * 2 + 1] = 0x0000;
  }
  OwnedBitmap mask(::CreateBitmap(32, 32, 1, 1, maskBits));
  {
    OwnedMemoryDc dc(::CreateCompatibleDC(screen.get()));
    const Selection selected(dc.get(), colour.get());
    const RECT left{0, 0, 16, 32};
    const RECT right{16, 0, 32, 32};
    ::FillRect(dc.get(), &left, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    const OwnedBrush red(::CreateSolidBrush(RGB(255, 0, 0)));
    ::FillRect(dc.get(), &right, red.get());
  }
  ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
  const OwnedIcon icon(::CreateIconIndirect(&info));
  ASSERT_TRUE(icon);

  const OwnedImageList group = CreateImageGroup(32, 32);
  ASSERT_EQ(::ImageList_ReplaceIcon(group.get(), -1, icon.get()), 0);
  const Text picture = PictureOfImage(group.get(), 0);
  ASSERT_EQ(picture.size(), 3126u);
  for (auto [x, y] : {std::pair{0, 0}, {15, 31}, {8, 16}}) EXPECT_EQ(PixelOf(picture, x, y), RGB(255, 255, 255));
  for (auto [x, y] : {std::pair{16, 0}, {31, 31}, {24, 16}}) EXPECT_EQ(PixelOf(picture, x, y), RGB(255, 0, 0));
}

}  // namespace
