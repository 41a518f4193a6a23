// Subclassing a control whose user data nothing else uses (an edit box, a
// dialog's static text): the control's own procedure is kept in its user
// data, so the new procedure needs no other state to call it.
#pragma once

#include <windows.h>

namespace kestrava::win32 {

// The control's own procedure, or null while it is not subclassed.
inline WNDPROC own_procedure(HWND control) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

// Puts `procedure` in front of the control's own, once.
inline void subclass_through_user_data(HWND control, WNDPROC procedure) {
    if (own_procedure(control) != nullptr) return;
    const LONG_PTR own = SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    SetWindowLongPtrW(control, GWLP_USERDATA, own);
}

}  // namespace kestrava::win32
