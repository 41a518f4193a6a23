// The hotkey facility of one main window: registers system-wide hotkeys and,
// through a one-time subclass of the window, turns each WM_HOTKEY of its own
// into the feedback message to the target control.
#pragma once

#include <windows.h>

#include <cstdint>

#include "window/operation_rules.h"

namespace kestrava::win32 {

class HotkeyFacility {
public:
    HotkeyFacility() = default;
    HotkeyFacility(const HotkeyFacility&) = delete;
    HotkeyFacility& operator=(const HotkeyFacility&) = delete;

    // Ids are handed out from 33001 on, a failed registration using up its
    // id; returns the id, or 0 when RegisterHotKey failed. The latest
    // registration's target receives every hotkey.
    std::int32_t register_hotkey(HWND window, HWND target, std::int32_t modifiers, std::int32_t key_code);

    // How many feedback sends are open right now (nested message boxes).
    int nesting() const { return nesting_; }

private:
    // The window's procedure while it is subclassed; it finds the facility
    // through a property of the window.
    static LRESULT CALLBACK subclass_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void subclass(HWND window);
    void on_hotkey(WPARAM id);

    HWND target_ = nullptr;
    std::int32_t next_id_ = first_hotkey_id;
    WNDPROC window_procedure_ = nullptr;  // the procedure before the subclass; null until then
    int nesting_ = 0;
};

}  // namespace kestrava::win32
