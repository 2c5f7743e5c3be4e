#include "ui/text_win.h"

#include <limits>

namespace {

// A system without the GBK tables (an XP without East Asian language
// support) refuses code page 936; the ANSI code page is the best it can do.
UINT UsableCodePage() { return IsValidCodePage(kTextCodePage) ? kTextCodePage : CP_ACP; }

int Length(std::size_t size) {
  return size > static_cast<std::size_t>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                            : static_cast<int>(size);
}

}  // namespace

WideText WideFromText(std::string_view text) {
  WideText wide;
  if (text.empty()) return wide;
  const int bytes = Length(text.size());
  const int count = MultiByteToWideChar(UsableCodePage(), 0, text.data(), bytes, nullptr, 0);
  if (count <= 0) return wide;
  wide.resize(static_cast<std::size_t>(count));
  MultiByteToWideChar(UsableCodePage(), 0, text.data(), bytes, wide.data(), count);
  return wide;
}

Text TextFromWide(std::wstring_view wide) {
  Text text;
  if (wide.empty()) return text;
  const int chars = Length(wide.size());
  const int count = WideCharToMultiByte(UsableCodePage(), 0, wide.data(), chars, nullptr, 0, nullptr, nullptr);
  if (count <= 0) return text;
  text.resize(static_cast<std::size_t>(count));
  WideCharToMultiByte(UsableCodePage(), 0, wide.data(), chars, text.data(), count, nullptr, nullptr);
  return text;
}

WideText WindowTextOf(HWND window) {
  WideText wide;
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return wide;
  wide.resize(static_cast<std::size_t>(length) + 1);
  const int copied = GetWindowTextW(window, wide.data(), length + 1);
  wide.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return wide;
}

Text WindowTextAsText(HWND window) { return TextFromWide(WindowTextOf(window)); }

void SetWindowTextFromText(HWND window, std::string_view text) {
  SetWindowTextW(window, WideFromText(text).c_str());
}
