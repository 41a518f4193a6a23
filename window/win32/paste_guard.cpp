#include "window/win32/paste_guard.h"

#include <commctrl.h>

namespace kestrava::win32 {
namespace {

LRESULT CALLBACK paste_guard_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR subclass_id, DWORD_PTR) {
    switch (message) {
        case WM_PASTE:
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, paste_guard_procedure, subclass_id);
            break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace

void refuse_pastes(HWND edit) { SetWindowSubclass(edit, paste_guard_procedure, 1, 0); }

}  // namespace kestrava::win32
