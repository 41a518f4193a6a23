#include "window/win32/gbk_wide.h"

namespace kestrava::win32 {

WideText::WideText(TextRef gbk) {
    const int bytes = static_cast<int>(gbk.size());
    const int length = bytes > 0 ? MultiByteToWideChar(gbk_code_page, 0, gbk.data(), bytes, nullptr, 0) : 0;
    chars_ = std::make_unique_for_overwrite<wchar_t[]>(static_cast<std::size_t>(length) + 1);
    if (length > 0) MultiByteToWideChar(gbk_code_page, 0, gbk.data(), bytes, chars_.get(), length);
    chars_[length] = L'\0';
}

Text to_gbk(const wchar_t* chars, int length) {
    if (length <= 0) return Text{};
    const int bytes = WideCharToMultiByte(gbk_code_page, 0, chars, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return Text{};
    Text text = Text::with_size(static_cast<std::size_t>(bytes));
    WideCharToMultiByte(gbk_code_page, 0, chars, length, text.data(), bytes, nullptr, nullptr);
    return text;
}

Text window_text(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return Text{};
    // GetWindowTextW fills and terminates the buffer.
    auto chars = std::make_unique_for_overwrite<wchar_t[]>(static_cast<std::size_t>(length) + 1);
    const int copied = GetWindowTextW(window, chars.get(), length + 1);
    return to_gbk(chars.get(), copied);
}

}  // namespace kestrava::win32
