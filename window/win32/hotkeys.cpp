#include "window/win32/hotkeys.h"

#include "window/win32/control_windows.h"

namespace kestrava::win32 {

namespace {

// The property of the subclassed window that holds its facility.
constexpr wchar_t facility_property[] = L"Kestrava.HotkeyFacility";

}  // namespace

std::int32_t HotkeyFacility::register_hotkey(HWND window, HWND target, std::int32_t modifiers,
                                             std::int32_t key_code) {
    target_ = target;
    if (window_procedure_ == nullptr) subclass(window);
    const std::int32_t id = next_id_++;
    if (!RegisterHotKey(window, id, hotkey_flags(modifiers), static_cast<UINT>(key_code))) return 0;
    return id;
}

// The window's procedure is replaced once, so that WM_HOTKEY is seen before
// the window's own procedure sees it.
void HotkeyFacility::subclass(HWND window) {
    if (!SetPropW(window, facility_property, this)) return;
    window_procedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass_procedure)));
    if (window_procedure_ == nullptr) RemovePropW(window, facility_property);
}

void HotkeyFacility::on_hotkey(WPARAM id) {
    ++nesting_;
    SendMessageW(target_, feedback_message, id, 0);
    --nesting_;
}

LRESULT CALLBACK HotkeyFacility::subclass_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = static_cast<HotkeyFacility*>(GetPropW(window, facility_property));
    if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    const WNDPROC window_procedure = self->window_procedure_;
    switch (message) {
        case WM_HOTKEY:
            switch (route_hotkey(static_cast<std::intptr_t>(wparam), self->next_id_, self->nesting_)) {
                case HotkeyRoute::feedback:
                    self->on_hotkey(wparam);
                    break;
                case HotkeyRoute::drop:
                    return 0;
                case HotkeyRoute::pass:
                    break;
            }
            break;
        case WM_NCDESTROY:
            // The last message: the window's own procedure comes back, and the
            // facility can be registered on another window.
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(window_procedure));
            RemovePropW(window, facility_property);
            self->window_procedure_ = nullptr;
            break;
    }
    return CallWindowProcW(window_procedure, window, message, wparam, lparam);
}

}  // namespace kestrava::win32
