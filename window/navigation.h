// The key pre-processing's decision for one key message: leave it alone, move
// the focus, click a default push button, close the window, or raise the
// key-down event of its target control.
#pragma once

#include <cstdint>
#include <optional>

#include "window/key_rules.h"
#include "window/platform.h"

namespace kestrava {

namespace key_message {
inline constexpr std::uint32_t first = 0x100;  // WM_KEYDOWN
inline constexpr std::uint32_t key_down = 0x100, sys_key_down = 0x104;
inline constexpr std::uint32_t last = 0x108;  // keyboard messages run from 0x100 to 0x108
}  // namespace key_message

// The window state the navigation rules look at, read fresh for every key.
struct KeyContext {
    bool target_enabled = true;           // the window the message is addressed to
    bool focus_claims_plain_enter = false;  // multi-line, editable edit box has the focus
    bool focus_is_default_button = false;   // the focused control is an enabled default push button
    std::optional<ControlId> focused;
    std::optional<ControlId> first_default_button;  // first enabled default push button in form order
    bool enter_moves_focus = false;       // window setting
    bool esc_closes = false;              // window setting
};

enum class KeyAction : std::uint8_t {
    leave,           // not a key-down or target disabled: no rule, no event
    raise_key_down,  // raise the target's key-down event; its result decides
    focus_next,      // withheld
    focus_previous,  // withheld
    click,           // raise `target`'s click event; withheld
    close,           // send WM_CLOSE to the main window; withheld
};

struct KeyDecision {
    KeyAction action = KeyAction::leave;
    ControlId target = ControlId::主窗口;  // the button to click, for KeyAction::click
    std::int32_t key_code = 0;             // for the key-down event
    std::int32_t modifiers = 0;
};

KeyDecision decide_key(std::uint32_t message, std::int32_t wparam, ModifierKeys held, const KeyContext& context);

}  // namespace kestrava
