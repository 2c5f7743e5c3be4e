#pragma once
// The platform edge for texts: the program's texts are GBK bytes, the window
// functions are the wide ones. Conversion always uses code page 936, so the
// window reads the same on a Chinese system and on one whose ANSI code page
// is another (1252 on an English Windows).

#include <windows.h>

#include <string>
#include <string_view>

#include "drive/text.h"

using WideText = std::basic_string<wchar_t, std::char_traits<wchar_t>, ProgramAllocator<wchar_t>>;

inline constexpr UINT kTextCodePage = 936;

// GBK → UTF-16. Byte sequences that are not GBK come out as the platform's
// replacement characters.
WideText WideFromText(std::string_view text);
// UTF-16 → GBK. Characters that GBK lacks come out as "?".
Text TextFromWide(std::wstring_view wide);

// The whole window text of `window`, and the same as GBK.
WideText WindowTextOf(HWND window);
Text WindowTextAsText(HWND window);
// Sets the window text from GBK.
void SetWindowTextFromText(HWND window, std::string_view text);
