#include "window/win32/hotkeys.h"

#include <commctrl.h>

#include "window/win32/control_windows.h"

namespace kestrava::win32 {

std::int32_t HotkeyFacility::register_hotkey(HWND window, HWND target, std::int32_t modifiers,
                                             std::int32_t key_code) {
    target_ = target;
    if (!subclassed_) subclassed_ = SetWindowSubclass(window, subclass_procedure, 1, reinterpret_cast<DWORD_PTR>(this));
    const std::int32_t id = next_id_++;
    if (!RegisterHotKey(window, id, hotkey_flags(modifiers), static_cast<UINT>(key_code))) return 0;
    return id;
}

void HotkeyFacility::on_hotkey(WPARAM id) {
    ++nesting_;
    SendMessageW(target_, feedback_message, id, 0);
    --nesting_;
}

LRESULT CALLBACK HotkeyFacility::subclass_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                                    UINT_PTR subclass_id, DWORD_PTR self_data) {
    auto* self = reinterpret_cast<HotkeyFacility*>(self_data);
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
            RemoveWindowSubclass(window, subclass_procedure, subclass_id);
            self->subclassed_ = false;
            break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace kestrava::win32
