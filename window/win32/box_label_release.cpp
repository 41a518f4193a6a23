#include "window/win32/box_label_release.h"

#include "window/win32/user_data_subclass.h"

namespace kestrava::win32 {
namespace {

bool running_on_wine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool is_class(HWND window, const wchar_t* name) {
    wchar_t found[16];
    return GetClassNameW(window, found, 16) > 0 && lstrcmpiW(found, name) == 0;
}

bool shows_text(LONG style) {
    const LONG type = style & SS_TYPEMASK;
    return type != SS_ICON && type != SS_BITMAP && type != SS_ENHMETAFILE;
}

LRESULT CALLBACK releasing_label_procedure(HWND label, UINT message, WPARAM wparam, LPARAM lparam) {
    const WNDPROC procedure = own_procedure(label);
    if (procedure == nullptr) return DefWindowProcW(label, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        // Gone from the screen already: only the freeing sees the new type.
        const LONG style = GetWindowLongW(label, GWL_STYLE);
        if (shows_text(style)) SetWindowLongW(label, GWL_STYLE, (style & ~SS_TYPEMASK) | SS_ICON);
    }
    return CallWindowProcW(procedure, label, message, wparam, lparam);
}

// Every static control that a dialog box (a message box is one) creates.
LRESULT CALLBACK on_window_creation(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
        const auto window = reinterpret_cast<HWND>(wparam);
        const HWND parent = reinterpret_cast<CBT_CREATEWNDW*>(lparam)->lpcs->hwndParent;
        // Neither the static class nor the message box uses the label's user data.
        if (parent != nullptr && is_class(window, L"Static") && is_class(parent, L"#32770"))
            subclass_through_user_data(window, releasing_label_procedure);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

BoxLabelRelease::BoxLabelRelease() {
    if (running_on_wine()) hook_ = SetWindowsHookExW(WH_CBT, on_window_creation, nullptr, GetCurrentThreadId());
}

BoxLabelRelease::~BoxLabelRelease() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
}

}  // namespace kestrava::win32
