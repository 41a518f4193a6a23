// Texts cross into Win32 through code page 936 and the wide API, so captions
// and the typed text are right whatever the system's ANSI code page is.
#pragma once

#include <windows.h>

#include <memory>

#include "text/text.h"

namespace kestrava::win32 {

inline constexpr UINT gbk_code_page = 936;

// A terminated wide string converted from GBK; "" for an absent text.
class WideText {
public:
    WideText() = default;
    explicit WideText(TextRef gbk);
    const wchar_t* c_str() const { return chars_ ? chars_.get() : L""; }

private:
    std::unique_ptr<wchar_t[]> chars_;
};

// GBK bytes of `length` wide characters; absent when there are none.
Text to_gbk(const wchar_t* chars, int length);

// The window text of `window` as GBK; absent when it is empty.
Text window_text(HWND window);

}  // namespace kestrava::win32
