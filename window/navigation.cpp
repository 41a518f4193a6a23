#include "window/navigation.h"

namespace kestrava {
namespace {

KeyDecision navigate(std::int32_t word, const KeyContext& context) {
    KeyDecision pass{KeyAction::raise_key_down, ControlId::主窗口, event_key_code(word), modifier_state(word)};
    switch (word) {
        case vk::tab:
            return {KeyAction::focus_next};
        case vk::tab | key_bits::shift:
            return {KeyAction::focus_previous};
        case vk::enter:
            if (context.focus_claims_plain_enter) return pass;
            if (context.focus_is_default_button && context.focused)                   // a
                return {KeyAction::click, *context.focused};
            if (context.enter_moves_focus) return {KeyAction::focus_next};             // b
            if (context.first_default_button)                                          // c
                return {KeyAction::click, *context.first_default_button};
            return pass;                                                               // d
        case vk::escape:
            if (context.esc_closes) return {KeyAction::close};
            return pass;
        default:
            return pass;
    }
}

}  // namespace

KeyDecision decide_key(std::uint32_t message, std::int32_t wparam, ModifierKeys held, const KeyContext& context) {
    const bool keyboard = message >= key_message::first && message <= key_message::last;
    if (keyboard && !context.target_enabled) return {};
    if (message != key_message::key_down && message != key_message::sys_key_down) return {};
    return navigate(key_word(wparam, held), context);
}

}  // namespace kestrava
