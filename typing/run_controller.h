// The run controller: starts a timed run, counts its seconds in the caption of
// 标签1 and reports the characters typed into 编辑框1. It keeps nothing of its
// own; the run lives in the period of 时钟计时 and the caption of 标签1.
#pragma once

#include "window/platform.h"

namespace kestrava {

// Click of 按钮1, and F2: caption "0秒", 时钟计时 at 1000 ms. Leaves 编辑框1 alone.
void start_action(Platform& platform);
// Periodic event of 时钟计时: advances the number in the caption by one and,
// with 选择框1 ticked, stops the run at the tick that writes "60秒".
void tick(Platform& platform);
// Click of 按钮2, and F3: stops 时钟计时, shows the seconds and the character
// count in a message box, then empties 编辑框1.
void stop_action(Platform& platform);

}  // namespace kestrava
