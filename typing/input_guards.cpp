#include "typing/input_guards.h"

namespace kestrava {

void enter_guard(Platform& platform, std::int32_t key_code, std::int32_t /*modifiers*/) {
    if (key_code == key::enter) platform.press_keys(key::back, 0, 0);
}

void clipboard_guard(Platform& platform) { platform.clear_clipboard(); }

void one_minute_lock(Platform& platform) {
    platform.write_int(ControlId::选择框1, Property::disabled, 1);
}

}  // namespace kestrava
