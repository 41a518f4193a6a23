// kestrava_probe: looks at and acts on Kestrava's windows from outside, in the
// same Wine prefix. Without arguments it answers commands read from standard
// input, one per line, with one line each (see reply.h); with arguments it
// answers the one command they make up. "other-window" instead shows a window
// standing for another program until it is closed.
//
// Commands (texts escaped as in reply.h, handles as decimal numbers):
//   acp                           the ANSI and OEM code pages of this process
//   find CLASS                    top-level windows of a class (#32770: dialogs)
//   window HWND                   a window, its focus and its controls
//   chars HWND TEXT               WM_CHAR per character, posted to a control
//   keys TEXT                     Unicode key presses into the focused window
//   post HWND MESSAGE WPARAM LPARAM
//   clip-set TEXT | clip-get | clip-time DEADLINE_MS TEXT | clip-wait-empty DEADLINE_MS
#include <windows.h>

#include <cwchar>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/e2e/probe/input_and_clipboard.h"
#include "tests/e2e/probe/other_program_window.h"
#include "tests/e2e/probe/reply.h"
#include "tests/e2e/probe/window_queries.h"

namespace {

// The command word, then the arguments; the last argument of a command that
// takes a text is the rest of the line, spaces included.
struct CommandLine {
    std::wstring_view rest;

    std::wstring_view next() {
        size_t end = rest.find(L' ');
        std::wstring_view word = rest.substr(0, end);
        rest = end == std::wstring_view::npos ? std::wstring_view{} : rest.substr(end + 1);
        return word;
    }
    long long number() {
        std::wstring word(next());
        return std::wcstoll(word.c_str(), nullptr, 0);
    }
    HWND window() { return reinterpret_cast<HWND>(static_cast<uintptr_t>(number())); }
    std::wstring text() { return unescape(std::exchange(rest, {})); }
};

Reply answer(std::wstring_view line) {
    CommandLine command{line};
    std::wstring_view name = command.next();
    if (name == L"acp") return Reply().add(L"acp", GetACP()).add(L"oemcp", GetOEMCP());
    if (name == L"find") return find_windows(command.text());
    if (name == L"window") return describe_window(command.window());
    if (name == L"chars") {
        HWND control = command.window();
        return post_characters(control, command.text());
    }
    if (name == L"keys") return send_unicode_keys(command.text());
    if (name == L"post") {
        HWND window = command.window();
        auto message = static_cast<UINT>(command.number());
        auto wparam = static_cast<WPARAM>(command.number());
        auto lparam = static_cast<LPARAM>(command.number());
        return post_message(window, message, wparam, lparam);
    }
    if (name == L"clip-set") return set_clipboard_text(command.text());
    if (name == L"clip-get") return read_clipboard();
    if (name == L"clip-time") {
        auto deadline = static_cast<int>(command.number());
        return time_clipboard_text(command.text(), deadline);
    }
    if (name == L"clip-wait-empty") return wait_clipboard_empty(static_cast<int>(command.number()));
    return Reply().fail(L"unknown command: " + std::wstring(name));
}

void write_out(const std::string& bytes) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
}

// Answers each line of standard input until it ends.
int serve() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string pending;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(input, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        pending.append(buffer, got);
        for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            write_out(answer(from_utf8(line)).line());
        }
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring_view(argv[1]) == L"other-window") return run_other_program_window();
    if (argc == 1) return serve();
    std::wstring line = argv[1];
    for (int i = 2; i < argc; ++i) line += L" " + std::wstring(argv[i]);
    Reply reply = answer(line);
    write_out(reply.line());
    return reply.failed() ? 1 : 0;
}
