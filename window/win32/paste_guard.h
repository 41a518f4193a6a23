// The typing area takes no pastes. The clipboard guard empties the clipboard
// every 10 ms, but another program that fills it as often wins that race now
// and then; an edit box refusing WM_PASTE does what pasting into an emptied
// clipboard does — nothing — every time.
#pragma once

#include <windows.h>

namespace kestrava::win32 {

// Makes `edit` drop WM_PASTE (Ctrl+V, Shift+Insert, the context menu's Paste).
void refuse_pastes(HWND edit);

}  // namespace kestrava::win32
