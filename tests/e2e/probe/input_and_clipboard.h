// Typing into other programs' windows, and the clipboard.
#pragma once

#include <windows.h>

#include <string_view>

#include "tests/e2e/probe/reply.h"

// Posts one WM_CHAR per UTF-16 unit to the control, as a keyboard would leave them.
Reply post_characters(HWND control, std::wstring_view text);

// Types the text as Unicode key presses (SendInput with KEYEVENTF_UNICODE)
// into whatever window has the keyboard focus.
Reply send_unicode_keys(std::wstring_view text);

Reply post_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Puts the text on the clipboard as CF_UNICODETEXT.
Reply set_clipboard_text(std::wstring_view text);

// Whether the clipboard holds text, the text, and the number of formats.
Reply read_clipboard();

// Puts the text on the clipboard, then watches until no text is left on it:
// gone=1 and the milliseconds it took (ms), or gone=0 after deadline_ms.
Reply time_clipboard_text(std::wstring_view text, int deadline_ms);

// Waits up to deadline_ms until the clipboard holds no text: gone and ms as above.
Reply wait_clipboard_empty(int deadline_ms);
