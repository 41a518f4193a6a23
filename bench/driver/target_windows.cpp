#include "bench/driver/target_windows.h"

#include <cwchar>

namespace driver {

void print(std::wstring_view line) {
    std::wstring text(line);
    text += L'\n';
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                        bytes, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()),
              &written, nullptr);
}

void fail(std::wstring_view what) {
    print(L"FAIL: " + std::wstring(what));
    ExitProcess(1);
}

double now_ms() {
    static const double ticks_per_ms = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / ticks_per_ms;
}

bool poll_until(const std::function<bool()>& done, double timeout_ms, DWORD step_ms) {
    const double deadline = now_ms() + timeout_ms;
    for (;;) {
        if (done()) return true;
        if (now_ms() > deadline) return false;
        Sleep(step_ms);
    }
}

DWORD window_pid(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::vector<HWND> top_level_windows(const wchar_t* class_name, DWORD pid) {
    std::vector<HWND> found;
    HWND after = nullptr;
    while ((after = FindWindowExW(nullptr, after, class_name, nullptr)) != nullptr) {
        if (pid == 0 || window_pid(after) == pid) found.push_back(after);
    }
    return found;
}

std::vector<HWND> result_boxes(DWORD pid) {
    std::vector<HWND> boxes;
    HWND after = nullptr;
    while ((after = FindWindowExW(nullptr, after, L"#32770", box_caption)) != nullptr) {
        if (window_pid(after) == pid) boxes.push_back(after);
    }
    return boxes;
}

HWND visible_result_box(DWORD pid) {
    for (HWND box : result_boxes(pid)) {
        if (IsWindowVisible(box)) return box;
    }
    return nullptr;
}

namespace {

constexpr UINT send_timeout_ms = 60000;

LRESULT send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, send_timeout_ms,
                             &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

}  // namespace

std::size_t window_text_length(HWND window) {
    LRESULT length = send(window, WM_GETTEXTLENGTH, 0, 0);
    return length < 0 ? 0 : static_cast<std::size_t>(length);
}

std::wstring window_text(HWND window) {
    std::wstring text(window_text_length(window) + 1, L'\0');
    LRESULT copied =
        send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
    return text;
}

bool set_window_text(HWND window, const std::wstring& text) {
    return send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) == TRUE;
}

std::wstring box_text(HWND box) {
    HWND message = GetDlgItem(box, 0xFFFF);
    return message ? window_text(message) : std::wstring();
}

namespace {
DWORD chosen_pid = 0;
}  // namespace

void set_target_pid(DWORD pid) { chosen_pid = pid; }
DWORD target_pid() { return chosen_pid; }

HWND target_main() {
    std::vector<HWND> windows = top_level_windows(main_class, chosen_pid);
    if (windows.empty()) fail(L"no Kestrava main window (class KestravaMainWindow) is running");
    if (windows.size() > 1) fail(L"several Kestrava main windows: choose one with --pid");
    return windows.front();
}

HWND target_control(int id) {
    HWND control = GetDlgItem(target_main(), id);
    if (!control) fail(L"the main window has no child with id " + std::to_wstring(id));
    return control;
}

bool kestrava_ready(HWND main) {
    if (!IsWindowVisible(main)) return false;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(main, nullptr);
    return GetGUIThreadInfo(thread, &info) && info.hwndFocus != nullptr &&
           info.hwndFocus == GetDlgItem(main, control::edit1);
}

bool floor_ready(HWND window) {
    if (!IsWindowVisible(window)) return false;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return GetGUIThreadInfo(thread, &info) && info.hwndFocus == window;
}

bool close_and_wait(HWND window, double timeout_ms) {
    UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, window_pid(window)));
    if (!process) return !IsWindow(window);
    PostMessageW(window, WM_CLOSE, 0, 0);
    return WaitForSingleObject(process.get(), static_cast<DWORD>(timeout_ms)) == WAIT_OBJECT_0;
}

std::wstring chinese_text(std::size_t count) {
    // CJK Unified Ideographs U+4E00..U+9FA5 are all in GBK.
    constexpr wchar_t first = 0x4E00;
    constexpr std::size_t span = 0x9FA5 - 0x4E00 + 1;
    std::wstring text(count, L'\0');
    for (std::size_t i = 0; i < count; ++i) {
        text[i] = static_cast<wchar_t>(first + (i * 7919) % span);
    }
    return text;
}

std::wstring lines_of_text(std::size_t bytes) {
    constexpr std::size_t line_characters = 511;
    const std::wstring line = chinese_text(line_characters) + L"\r\n";
    std::wstring text;
    text.reserve(bytes / 2 + bytes / 512);
    std::size_t left = bytes;
    while (left >= 2 * line_characters + 2) {
        text += line;
        left -= 2 * line_characters + 2;
    }
    text += chinese_text(left / 2);
    if (left % 2) text += L'a';
    return text;
}

std::wstring half_count_text(std::size_t bytes) {
    std::wstring text = std::to_wstring(bytes / 2);
    if (bytes % 2) text += L".5";
    return text;
}

}  // namespace driver
