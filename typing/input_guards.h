// The input guards keep the character count honest: Enter is undone at once,
// the clipboard stays empty, and the one-minute box locks on its first click.
// They act the same whether or not a run is in progress.
#pragma once

#include <cstdint>

#include "window/platform.h"

namespace kestrava {

// Key-down in 编辑框1: answers Enter (key code 13) with one Backspace press,
// whatever the modifiers. Gives no result, so the Enter still reaches 编辑框1.
void enter_guard(Platform& platform, std::int32_t key_code, std::int32_t modifiers);
// Periodic event of 时钟清除剪辑版: empties the system clipboard.
void clipboard_guard(Platform& platform);
// Click of 选择框1: disables the box, leaving its tick as the click left it.
void one_minute_lock(Platform& platform);

}  // namespace kestrava
