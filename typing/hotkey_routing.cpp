#include "typing/hotkey_routing.h"

#include "typing/run_controller.h"

namespace kestrava {

std::int32_t f2_hotkey_id = 0;
std::int32_t f3_hotkey_id = 0;

namespace {

constexpr std::int32_t no_modifiers = 0;

std::int32_t register_on_main_window(Platform& platform, std::int32_t key_code) {
    const WindowHandle window = platform.handle(ControlId::主窗口);
    const WindowHandle receiver = platform.handle(ControlId::标签1);
    return platform.register_hotkey(window, receiver, no_modifiers, key_code);
}

}  // namespace

void hotkey_setup(Platform& platform) {
    f2_hotkey_id = register_on_main_window(platform, key::f2);
    f3_hotkey_id = register_on_main_window(platform, key::f3);
}

void hotkey_dispatch(Platform& platform, std::int32_t first, std::int32_t /*second*/) {
    if (first == f2_hotkey_id) start_action(platform);
    if (first == f3_hotkey_id) stop_action(platform);
}

}  // namespace kestrava
