#include "tests/e2e/probe/window_queries.h"

#include <vector>

namespace {

constexpr UINT answer_timeout_ms = 2000;
constexpr int message_static_id = 0xFFFF;

std::wstring class_of(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// Text through WM_GETTEXT, which reaches controls of other processes too
// (GetWindowText does not read their content).
std::wstring text_of(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, answer_timeout_ms,
                             &length))
        return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, answer_timeout_ms, &copied);
    text.resize(copied);
    return text;
}

LRESULT ask(HWND window, UINT message) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, 0, 0, SMTO_ABORTIFHUNG, answer_timeout_ms, &result);
    return static_cast<LRESULT>(result);
}

long long handle_number(HWND window) {
    return static_cast<long long>(reinterpret_cast<uintptr_t>(window));
}

long long x_window_of(HWND window) {
    return static_cast<long long>(
        reinterpret_cast<uintptr_t>(GetPropW(window, L"__wine_x11_whole_window")));
}

std::vector<HWND> top_level_windows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM found) {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> children_of(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

int focus_code(HWND window, HWND focus) {
    if (!focus) return -1;
    if (focus == window) return 0;
    if (GetParent(focus) == window) return GetDlgCtrlID(focus);
    return -2;
}

}  // namespace

Reply find_windows(std::wstring_view class_name) {
    Reply reply;
    HWND foreground = GetForegroundWindow();
    long long count = 0;
    for (HWND window : top_level_windows()) {
        if (CompareStringOrdinal(class_of(window).c_str(), -1, class_name.data(),
                                 static_cast<int>(class_name.size()), TRUE) != CSTR_EQUAL)
            continue;
        std::wstring prefix = std::to_wstring(count++) + L".";
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t caption[512] = {};
        GetWindowTextW(window, caption, 512);
        reply.add(prefix + L"hwnd", handle_number(window))
            .add(prefix + L"pid", process)
            .add(prefix + L"caption", caption)
            .add(prefix + L"visible", IsWindowVisible(window) ? 1 : 0)
            .add(prefix + L"enabled", IsWindowEnabled(window) ? 1 : 0)
            .add(prefix + L"foreground", window == foreground ? 1 : 0)
            .add(prefix + L"xid", x_window_of(window));
        if (HWND message = GetDlgItem(window, message_static_id))
            reply.add(prefix + L"text", text_of(message));
    }
    return reply.add(L"count", count);
}

Reply describe_window(HWND window) {
    Reply reply;
    if (!IsWindow(window)) return reply.fail(L"no such window");

    RECT outer{};
    GetWindowRect(window, &outer);
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    DWORD process = 0;
    DWORD thread = GetWindowThreadProcessId(window, &process);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(thread, &gui);
    wchar_t caption[512] = {};
    GetWindowTextW(window, caption, 512);

    reply.add(L"caption", caption)
        .add(L"class", class_of(window))
        .add(L"pid", process)
        .add(L"style", GetWindowLongW(window, GWL_STYLE))
        .add(L"visible", IsWindowVisible(window) ? 1 : 0)
        .add(L"enabled", IsWindowEnabled(window) ? 1 : 0)
        .add(L"foreground", GetForegroundWindow() == window ? 1 : 0)
        .add(L"active", gui.hwndActive == window ? 1 : 0)
        .add(L"focus", focus_code(window, gui.hwndFocus))
        .add(L"xid", x_window_of(window))
        .add(L"left", outer.left)
        .add(L"top", outer.top)
        .add(L"width", outer.right - outer.left)
        .add(L"height", outer.bottom - outer.top)
        .add(L"client_x", origin.x)
        .add(L"client_y", origin.y)
        .add(L"client_width", client.right)
        .add(L"client_height", client.bottom)
        .add(L"screen_width", GetSystemMetrics(SM_CXSCREEN))
        .add(L"screen_height", GetSystemMetrics(SM_CYSCREEN));

    std::wstring ids;
    for (HWND child : children_of(window)) {
        int id = GetDlgCtrlID(child);
        std::wstring prefix = std::to_wstring(id) + L".";
        ids += (ids.empty() ? L"" : L",") + std::to_wstring(id);
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&place), 2);
        std::wstring kind = class_of(child);
        reply.add(prefix + L"hwnd", handle_number(child))
            .add(prefix + L"class", kind)
            .add(prefix + L"text", text_of(child))
            .add(prefix + L"x", place.left)
            .add(prefix + L"y", place.top)
            .add(prefix + L"width", place.right - place.left)
            .add(prefix + L"height", place.bottom - place.top)
            .add(prefix + L"visible", (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) ? 1 : 0)
            .add(prefix + L"enabled", IsWindowEnabled(child) ? 1 : 0);
        if (CompareStringOrdinal(kind.c_str(), -1, L"Button", -1, TRUE) == CSTR_EQUAL)
            reply.add(prefix + L"checked", ask(child, BM_GETCHECK));
        if (CompareStringOrdinal(kind.c_str(), -1, L"Edit", -1, TRUE) == CSTR_EQUAL) {
            auto selection = static_cast<DWORD>(ask(child, EM_GETSEL));
            reply.add(prefix + L"sel_start", LOWORD(selection))
                .add(prefix + L"sel_end", HIWORD(selection));
        }
    }
    return reply.add(L"children", ids);
}
