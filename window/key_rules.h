// What the key pre-processing makes of a key message: the key word it tests
// navigation keys with, and the key code and modifier state of the key-down
// event. Plain values only, so the rules hold the same on every platform.
#pragma once

#include <cstdint>

namespace kestrava {

namespace vk {
inline constexpr std::int32_t tab = 9, enter = 13, shift = 16, ctrl = 17, alt = 18, escape = 27;
inline constexpr std::int32_t numpad0 = 96, numpad9 = 105, subtract = 109, decimal = 110, divide = 111;
}  // namespace vk

namespace key_bits {
inline constexpr std::int32_t ctrl = 0x2000, shift = 0x4000, alt = 0x8000;
inline constexpr std::int32_t code_mask = 0xFF;
}  // namespace key_bits

// Which modifier keys are down while the key is handled.
struct ModifierKeys {
    bool ctrl = false, shift = false, alt = false;
};

// The key code (low 8 bits of wParam) with a bit for every modifier held;
// a modifier key never carries its own bit, so Ctrl alone is 17.
constexpr std::int32_t key_word(std::int32_t wparam, ModifierKeys held) {
    const std::int32_t code = wparam & key_bits::code_mask;
    std::int32_t word = code;
    if (held.ctrl && code != vk::ctrl) word |= key_bits::ctrl;
    if (held.shift && code != vk::shift) word |= key_bits::shift;
    if (held.alt && code != vk::alt) word |= key_bits::alt;
    return word;
}

// Modifier state of the key-down event: 1 Ctrl, 2 Shift, 4 Alt, from the key word.
constexpr std::int32_t modifier_state(std::int32_t word) {
    return ((word & key_bits::ctrl) ? 1 : 0) | ((word & key_bits::shift) ? 2 : 0) |
           ((word & key_bits::alt) ? 4 : 0);
}

// The numeric keypad reports the main keys: digits 48-57, minus 189, point
// 190, slash 191. Keypad * and + and everything else pass unchanged.
constexpr std::int32_t fold_keypad(std::int32_t code) {
    if (code >= vk::numpad0 && code <= vk::numpad9) return code - vk::numpad0 + '0';
    switch (code) {
        case vk::subtract: return 189;
        case vk::decimal: return 190;
        case vk::divide: return 191;
        default: return code;
    }
}

// Key code of the key-down event.
constexpr std::int32_t event_key_code(std::int32_t word) { return fold_keypad(word & key_bits::code_mask); }

}  // namespace kestrava
