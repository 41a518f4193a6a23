#include "window/win32/paste_guard.h"

#include "window/win32/user_data_subclass.h"

namespace kestrava::win32 {
namespace {

LRESULT CALLBACK paste_guard_procedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
    const WNDPROC procedure = own_procedure(edit);
    if (procedure == nullptr) return DefWindowProcW(edit, message, wparam, lparam);
    if (message == WM_PASTE) return 0;
    return CallWindowProcW(procedure, edit, message, wparam, lparam);
}

}  // namespace

void refuse_pastes(HWND edit) { subclass_through_user_data(edit, paste_guard_procedure); }

}  // namespace kestrava::win32
