#include "tests/e2e/probe/input_and_clipboard.h"

#include <cwchar>
#include <memory>
#include <vector>

namespace {

// The clipboard stays open for the lifetime of this object.
class OpenedClipboard {
public:
    // Another program may hold the clipboard for a moment; retry for up to a second.
    OpenedClipboard() {
        for (int attempt = 0; attempt < 1000 && !open_; ++attempt) {
            open_ = OpenClipboard(nullptr) != 0;
            if (!open_) Sleep(1);
        }
    }
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool is_open() const { return open_; }

private:
    bool open_ = false;
};

struct GlobalFreer {
    void operator()(void* memory) const { GlobalFree(memory); }
};
using GlobalMemory = std::unique_ptr<void, GlobalFreer>;

class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double milliseconds() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
               static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER start_{};
};

bool clipboard_has_text() {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

std::wstring format_milliseconds(double ms) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%.1f", ms);
    return text;
}

}  // namespace

Reply post_characters(HWND control, std::wstring_view text) {
    Reply reply;
    for (wchar_t c : text)
        if (!PostMessageW(control, WM_CHAR, c, 1)) return reply.fail(L"PostMessage failed");
    return reply.add(L"posted", static_cast<long long>(text.size()));
}

Reply send_unicode_keys(std::wstring_view text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = c;
            input.ki.dwFlags = KEYEVENTF_UNICODE | up;
            inputs.push_back(input);
        }
    }
    Reply reply;
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) return reply.fail(L"SendInput sent only " + std::to_wstring(sent));
    return reply.add(L"sent", static_cast<long long>(text.size()));
}

Reply post_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    Reply reply;
    if (!PostMessageW(window, message, wparam, lparam)) return reply.fail(L"PostMessage failed");
    return reply;
}

Reply set_clipboard_text(std::wstring_view text) {
    Reply reply;
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return reply.fail(L"GlobalAlloc failed");
    auto* target = static_cast<wchar_t*>(GlobalLock(memory.get()));
    text.copy(target, text.size());
    target[text.size()] = L'\0';
    GlobalUnlock(memory.get());

    OpenedClipboard clipboard;
    if (!clipboard.is_open()) return reply.fail(L"the clipboard stayed busy");
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, memory.get())) return reply.fail(L"SetClipboardData failed");
    memory.release();  // the clipboard owns it now
    return reply;
}

Reply read_clipboard() {
    Reply reply;
    OpenedClipboard clipboard;
    if (!clipboard.is_open()) return reply.fail(L"the clipboard stayed busy");
    reply.add(L"formats", CountClipboardFormats());
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    reply.add(L"has_text", data ? 1 : 0);
    if (data) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            reply.add(L"text", text);
            GlobalUnlock(data);
        }
    }
    return reply;
}

Reply time_clipboard_text(std::wstring_view text, int deadline_ms) {
    Reply set = set_clipboard_text(text);
    if (set.failed()) return set;
    return wait_clipboard_empty(deadline_ms);
}

Reply wait_clipboard_empty(int deadline_ms) {
    Stopwatch watch;
    while (clipboard_has_text() && watch.milliseconds() < deadline_ms) Sleep(1);
    Reply reply;
    bool gone = !clipboard_has_text();
    reply.add(L"gone", gone ? 1 : 0);
    if (gone) reply.add(L"ms", format_milliseconds(watch.milliseconds()));
    return reply;
}
