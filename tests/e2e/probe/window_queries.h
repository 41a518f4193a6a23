// Reading the windows of other programs in the same Wine prefix.
#pragma once

#include <windows.h>

#include <string_view>

#include "tests/e2e/probe/reply.h"

// Top-level windows of one class, in z-order from the top: handle, process,
// caption, visible, enabled, foreground, X window id and, for dialogs, the
// text of the message static (id 0xFFFF). Fields are numbered 0., 1., ...
Reply find_windows(std::wstring_view class_name);

// A window with its direct children: placement on screen and of the client
// area, the control that has the keyboard focus in its thread (its id, 0 for
// the window itself, -1 for none, -2 for a window elsewhere), and for each
// child by id: class, text, place in the client area, visible, enabled, and
// the tick of buttons and the selection of edit controls.
Reply describe_window(HWND window);
