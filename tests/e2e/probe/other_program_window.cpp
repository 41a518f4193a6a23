#include "tests/e2e/probe/other_program_window.h"

#include <windows.h>

#include <string>

namespace {

struct KeyCounts {
    int all = 0;
    int f2 = 0;
    int f3 = 0;
};

KeyCounts counts;

void show_counts(HWND window) {
    std::wstring caption = L"Other program: keys=" + std::to_wstring(counts.all) +
                           L" F2=" + std::to_wstring(counts.f2) +
                           L" F3=" + std::to_wstring(counts.f3);
    SetWindowTextW(window, caption.c_str());
}

LRESULT CALLBACK other_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        ++counts.all;
        if (wparam == VK_F2) ++counts.f2;
        if (wparam == VK_F3) ++counts.f3;
        show_counts(window);
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int run_other_program_window() {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = other_window_procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = other_program_class;
    RegisterClassW(&window_class);

    HWND window = CreateWindowExW(0, other_program_class, L"", WS_OVERLAPPEDWINDOW, 40, 40, 320,
                                  160, nullptr, nullptr, window_class.hInstance, nullptr);
    if (!window) return 1;
    show_counts(window);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
