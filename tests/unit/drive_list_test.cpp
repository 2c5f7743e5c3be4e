// The drive selector's item texts and the current drive letter.
#include <gtest/gtest.h>

#include "ui/drive_list.h"

namespace {

TEST(DriveList, ItemTexts) {
  struct Case {
    char letter;
    DriveKind kind;
    const char* label;
    const char* item;
  };
  const Case cases[] = {
      {'C', DriveKind::Fixed, "SYSTEM", "C: （硬盘） SYSTEM"},
      {'D', DriveKind::Fixed, "", "D: （硬盘）"},  // no trailing space
      {'E', DriveKind::Fixed, "数据 盘", "E: （硬盘） 数据 盘"},
      {'A', DriveKind::Other, "", "A:"},
      {'F', DriveKind::CdRom, "DISC", "F: （光驱）"},  // labels of fixed disks only
      {'N', DriveKind::Network, "share", "N: （网络驱动器）"},
      {'R', DriveKind::RamDisk, "", "R: （内存虚拟驱动器）"},
  };
  for (const Case& c : cases) EXPECT_EQ(DriveItemText(c.letter, c.kind, c.label), c.item) << c.item;
}

TEST(DriveList, LettersFoldToUpperCase) {
  EXPECT_EQ(DriveLetterOfRoot("c:\\"), 'C');
  EXPECT_EQ(DriveLetterOfRoot("Z:\\"), 'Z');
  EXPECT_EQ(DriveLetterOfRoot(""), '\0');
  EXPECT_EQ(CurrentDriveLetter("d:\\tools"), 'D');
  EXPECT_EQ(CurrentDriveLetter("C:\\"), 'C');
  EXPECT_EQ(CurrentDriveLetter("\\\\server\\share\\dir"), '@');
  EXPECT_EQ(CurrentDriveLetter(""), '@');
  EXPECT_EQ(CurrentDriveLetter("1:\\"), '@');
}

}  // namespace
