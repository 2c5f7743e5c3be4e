// GBK ↔ UTF-16 at the window's edge: the same Chinese whatever the system's
// ANSI code page (the stage runs this under an English and a Chinese locale).
#include <gtest/gtest.h>

#include "ui/text_win.h"

namespace {

TEST(RuntimeText, ConvertsGbkWhateverTheAnsiCodePage) {
  EXPECT_EQ(WideFromText("驱动器: C"), WideText(L"\u9a71\u52a8\u5668: C"));
  EXPECT_EQ(TextFromWide(L"\u9a71\u52a8\u5668: C"), Text("驱动器: C"));
  EXPECT_EQ(WideFromText("（硬盘）"), WideText(L"\uff08\u786c\u76d8\uff09"));
  EXPECT_TRUE(WideFromText("").empty());
  EXPECT_TRUE(TextFromWide(L"").empty());
  // Characters GBK lacks become "?"; text around them survives.
  EXPECT_EQ(TextFromWide(L"a\u0E01b"), Text("a?b"));
  const Text all = "软件说明: 己用空间 可用空间 捐肋说明 Kestrune1.0";
  EXPECT_EQ(TextFromWide(WideFromText(all)), all);
}

}  // namespace
