// The smallest useful Win32 program: one empty top-level window and a message
// loop. It is the start-up and size floor that Kestrava is measured against.
// Built with FLOOR_TIMER_MS, it also runs an empty timer of that period: the
// idle floor of a program that wakes up periodically.
#include <windows.h>

namespace {

LRESULT CALLBACK floor_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = floor_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = L"KestravaFloorWindow";
    if (!RegisterClassW(&window_class)) return -1;

    HWND window = CreateWindowExW(0, window_class.lpszClassName, L"Kestrava floor",
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 380, 300, nullptr, nullptr, instance, nullptr);
    if (!window) return -1;
#ifdef FLOOR_TIMER_MS
    SetTimer(window, 1, FLOOR_TIMER_MS, nullptr);
#endif
    ShowWindow(window, SW_SHOW);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
