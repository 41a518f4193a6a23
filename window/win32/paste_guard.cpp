#include "window/win32/paste_guard.h"

namespace kestrava::win32 {
namespace {

// The edit box's own procedure is kept in the box's user data, which the
// edit class leaves to the program.
WNDPROC edit_procedure(HWND edit) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_USERDATA)); }

LRESULT CALLBACK paste_guard_procedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
    const WNDPROC procedure = edit_procedure(edit);
    if (procedure == nullptr) return DefWindowProcW(edit, message, wparam, lparam);
    if (message == WM_PASTE) return 0;
    return CallWindowProcW(procedure, edit, message, wparam, lparam);
}

}  // namespace

void refuse_pastes(HWND edit) {
    if (edit_procedure(edit) != nullptr) return;
    const auto previous = SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(paste_guard_procedure));
    SetWindowLongPtrW(edit, GWLP_USERDATA, previous);
}

}  // namespace kestrava::win32
