// The system operations the handlers call besides hotkeys: simulated key
// presses, clearing the clipboard, and the message box.
#pragma once

#include <cstdint>
#include <optional>

#include "text/text.h"

namespace kestrava::win32 {

// Keys (0 = none) down in order, then up in the same order, queued behind
// the input being handled.
void press_keys(std::int32_t first, std::int32_t second, std::int32_t third);

// Empties the clipboard unless it is empty already or another program holds it open.
void clear_clipboard();

// A message box without owner, the caption or "信息：", MB_TASKMODAL added
// unless MB_SYSTEMMODAL; returns the button id minus 1.
std::int32_t message_box(TextRef text, std::int32_t buttons, std::optional<TextRef> caption);

}  // namespace kestrava::win32
