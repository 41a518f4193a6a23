#include "tests/e2e/probe/reply.h"

#include <windows.h>

namespace {

std::wstring escape(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
        case L'\\': out += L"\\\\"; break;
        case L'\t': out += L"\\t"; break;
        case L'\n': out += L"\\n"; break;
        case L'\r': out += L"\\r"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace

Reply& Reply::add(std::wstring_view key, std::wstring_view value) {
    fields_ += L'\t';
    fields_ += key;
    fields_ += L'=';
    fields_ += escape(value);
    return *this;
}

Reply& Reply::add(std::wstring_view key, long long value) {
    return add(key, std::to_wstring(value));
}

Reply& Reply::fail(std::wstring_view message) {
    failed_ = true;
    return add(L"error", message);
}

std::string Reply::line() const {
    return to_utf8((failed_ ? L"status=error" : L"status=ok") + fields_) + "\n";
}

std::wstring unescape(std::wstring_view text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
        case L't': out += L'\t'; break;
        case L'n': out += L'\n'; break;
        case L'r': out += L'\r'; break;
        default: out += text[i];
        }
    }
    return out;
}

std::string to_utf8(std::wstring_view text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                   nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring from_utf8(std::string_view text) {
    if (text.empty()) return {};
    int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                   nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}
