// A stand-in for the window and the operating system, holding the controls of
// the main window the way the real ones keep their values, and recording every
// platform call in order. Its timers and hotkeys raise the events the form
// binds (时钟计时 → tick, 时钟清除剪辑版 → clipboard guard, 标签1 feedback →
// hotkey dispatch); an open message box runs whatever the test puts in
// while_box_open, as the platform's modal loop would.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "window/platform.h"

namespace kestrava::testing {

std::string to_string(TextRef text);

struct ShownBox {
    std::string text;
    std::int32_t buttons = 0;
    std::optional<std::string> caption;
};

struct Registration {
    WindowHandle window = nullptr;
    WindowHandle target = nullptr;
    std::int32_t modifiers = 0;
    std::int32_t key_code = 0;
    std::int32_t id = 0;
    bool succeeded = false;
};

struct Timer {
    std::int32_t period = 0;
    bool running = false;
    int starts = 0;  // times a platform timer was set, so a restart shows
};

class FakePlatform : public Platform {
public:
    FakePlatform();

    Text read_text(ControlId control, Property property) override;
    std::int32_t read_int(ControlId control, Property property) override;
    void write_text(ControlId control, Property property, TextRef value) override;
    void write_int(ControlId control, Property property, std::int32_t value) override;
    WindowHandle handle(ControlId control) override;
    std::int32_t register_hotkey(WindowHandle window, WindowHandle target,
                                 std::int32_t modifiers, std::int32_t key_code) override;
    void press_keys(std::int32_t first, std::int32_t second, std::int32_t third) override;
    void clear_clipboard() override;
    std::int32_t message_box(TextRef text, std::int32_t buttons,
                             std::optional<TextRef> caption) override;

    // Raises the periodic event of a running timer; false when it is stopped.
    bool fire_timer(ControlId timer);
    // Presses a hotkey key without modifiers: if it was registered, the
    // feedback event of the latest target gets (id, 0). False when nothing arrives.
    bool press_hotkey(std::int32_t key_code);

    // Direct access to what the controls hold, for arranging and checking.
    std::string caption;  // 标签1
    std::string content;  // 编辑框1
    bool checked = false;  // 选择框1
    std::map<ControlId, bool> disabled;
    std::map<ControlId, Timer> timers;
    std::vector<std::int32_t> failing_keys;  // key codes whose registration fails

    std::vector<std::string> calls;  // every platform call, in order
    std::vector<Registration> registrations;
    std::vector<std::array<std::int32_t, 3>> pressed_keys;
    int clipboard_clearings = 0;
    std::vector<ShownBox> boxes;  // in order of opening

    // Runs while box number `box` (0 for the first opened) is open.
    std::function<void(std::size_t box)> while_box_open;

private:
    bool known(ControlId control, Property property) const;

    std::string caption2_;  // 标签2, fixed by the form
    std::array<char, 9> windows_{};  // one distinct address per control
    std::int32_t next_hotkey_id_ = 33001;
    WindowHandle hotkey_target_ = nullptr;
};

}  // namespace kestrava::testing
