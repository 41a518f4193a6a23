// Hotkey routing: F2 starts and F3 stops a run from any program. The two
// hotkey ids are the only values the handlers keep outside the controls.
#pragma once

#include <cstdint>

#include "window/platform.h"

namespace kestrava {

// Ids handed out when F2 and F3 were registered; 0 before that or when the
// registration failed. Written once, by hotkey_setup.
extern std::int32_t f2_hotkey_id;
extern std::int32_t f3_hotkey_id;

// Created event of the main window: registers F2, then F3, without modifiers,
// on the main window with 标签1 as the receiver of their feedback.
void hotkey_setup(Platform& platform);
// Feedback event of 标签1 (hotkey id, 0): F2's id runs the start action, then,
// as a test of its own, F3's id runs the stop action.
void hotkey_dispatch(Platform& platform, std::int32_t first, std::int32_t second);

}  // namespace kestrava
