#pragma once
// The test build's answers to the private messages of ui/test_messages.h,
// for the main window's procedure. The shipped program has none of this.
// Win32 layer.

#include <windows.h>

#ifdef KESTRUNE_TEST_BUILD
// True when `message` is one of the private messages; `result` then holds
// the answer.
bool AnswerTestMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
#endif
