// Value rules of the system operations: hotkey flags and ids, how deeply
// hotkey feedback may nest, and the message box style.
#pragma once

#include <cstdint>

namespace kestrava {

// Modifier state (1 Ctrl, 2 Shift, 4 Alt) to RegisterHotKey flags
// (MOD_CONTROL 2, MOD_SHIFT 4, MOD_ALT 1) for the values 1 to 6; any other
// value passes unchanged.
constexpr std::uint32_t hotkey_flags(std::int32_t modifiers) {
    if (modifiers < 1 || modifiers > 6) return static_cast<std::uint32_t>(modifiers);
    return ((modifiers & 1) ? 2u : 0u) | ((modifiers & 2) ? 4u : 0u) | ((modifiers & 4) ? 1u : 0u);
}

inline constexpr std::int32_t first_hotkey_id = 33001;

// How many feedback sends may be open on the main window at once. A stop
// action's result box runs a modal loop that takes the next F3 auto-repeat
// (25 a second) and opens a box inside the box, about 2.6 KB of stack a
// level; 32 levels take some 83 KB of the 1 MiB stack, far more boxes than
// anyone closes by hand.
inline constexpr int max_feedback_nesting = 32;

enum class HotkeyRoute : std::uint8_t {
    pass,      // not one of ours: straight to the window's own procedure
    feedback,  // send the feedback message to the target, then go on
    drop,      // ours, but feedback is nested as deep as it may go
};

// `next_id` is the id the next registration would take.
constexpr HotkeyRoute route_hotkey(std::intptr_t id, std::int32_t next_id, int nesting) {
    if (id < first_hotkey_id || id >= next_id) return HotkeyRoute::pass;
    return nesting >= max_feedback_nesting ? HotkeyRoute::drop : HotkeyRoute::feedback;
}

// Message box: MB_TASKMODAL (0x2000) is added unless MB_SYSTEMMODAL (0x1000) is given.
constexpr std::uint32_t message_box_style(std::int32_t buttons) {
    const auto style = static_cast<std::uint32_t>(buttons);
    return (style & 0x1000u) ? style : style | 0x2000u;
}

}  // namespace kestrava
