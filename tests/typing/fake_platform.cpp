#include "tests/typing/fake_platform.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "text/gbk.h"
#include "typing/hotkey_routing.h"
#include "typing/input_guards.h"
#include "typing/run_controller.h"

namespace kestrava::testing {

namespace {

const char* name_of(ControlId control) {
    switch (control) {
        case ControlId::主窗口: return "主窗口";
        case ControlId::标签2: return "标签2";
        case ControlId::时钟清除剪辑版: return "时钟清除剪辑版";
        case ControlId::选择框1: return "选择框1";
        case ControlId::按钮2: return "按钮2";
        case ControlId::按钮1: return "按钮1";
        case ControlId::标签1: return "标签1";
        case ControlId::编辑框1: return "编辑框1";
        case ControlId::时钟计时: return "时钟计时";
    }
    return "?";
}

const char* name_of(Property property) {
    switch (property) {
        case Property::caption: return "caption";
        case Property::content: return "content";
        case Property::period: return "period";
        case Property::checked: return "checked";
        case Property::disabled: return "disabled";
    }
    return "?";
}

std::string slot(ControlId control, Property property) {
    return std::string(name_of(control)) + "." + name_of(property);
}

// A read of an empty text property gives an absent text.
Text read_copy(const std::string& value) {
    return value.empty() ? Text() : Text::copy_of(TextRef(value.data(), value.size()));
}

}  // namespace

std::string to_string(TextRef text) {
    return text.absent() ? std::string() : std::string(text.data(), text.size());
}

FakePlatform::FakePlatform()
    : caption("0秒"),
      caption2_("为保证字数统计的准确性，限制了按回车换行，只要按下回车就马上会自动按下退格") {
    timers[ControlId::时钟计时] = Timer{};
    timers[ControlId::时钟清除剪辑版] = Timer{1, true, 1};
}

bool FakePlatform::known(ControlId control, Property property) const {
    switch (property) {
        case Property::caption: return control == ControlId::标签1 || control == ControlId::标签2;
        case Property::content: return control == ControlId::编辑框1;
        case Property::period: return timers.count(control) != 0;
        case Property::checked: return control == ControlId::选择框1;
        case Property::disabled: return true;
    }
    return false;
}

Text FakePlatform::read_text(ControlId control, Property property) {
    calls.push_back("read " + slot(control, property));
    if (control == ControlId::标签1 && property == Property::caption) return read_copy(caption);
    if (control == ControlId::标签2 && property == Property::caption) return read_copy(caption2_);
    if (control == ControlId::编辑框1 && property == Property::content) return read_copy(content);
    ADD_FAILURE() << "no text property " << slot(control, property);
    return Text();
}

std::int32_t FakePlatform::read_int(ControlId control, Property property) {
    calls.push_back("read " + slot(control, property));
    if (property == Property::period && known(control, property)) return timers[control].period;
    if (control == ControlId::选择框1 && property == Property::checked) return checked ? 1 : 0;
    if (property == Property::disabled) return disabled[control] ? 1 : 0;
    ADD_FAILURE() << "no integer property " << slot(control, property);
    return 0;
}

void FakePlatform::write_text(ControlId control, Property property, TextRef value) {
    calls.push_back("write " + slot(control, property) + " " + to_string(value));
    if (control == ControlId::标签1 && property == Property::caption) {
        caption = to_string(value);
    } else if (control == ControlId::标签2 && property == Property::caption) {
        caption2_ = to_string(value);
    } else if (control == ControlId::编辑框1 && property == Property::content) {
        content = to_string(value);
    } else {
        ADD_FAILURE() << "no text property " << slot(control, property);
    }
}

void FakePlatform::write_int(ControlId control, Property property, std::int32_t value) {
    calls.push_back("write " + slot(control, property) + " " + std::to_string(value));
    if (property == Property::period && known(control, property)) {
        Timer& timer = timers[control];
        const std::int32_t period = std::max(value, 0);
        if (period == timer.period) return;  // a running timer keeps its phase
        timer.period = period;
        timer.running = period > 0;
        if (timer.running) ++timer.starts;
    } else if (property == Property::disabled) {
        disabled[control] = value != 0;
    } else {
        // 选择框1.checked is never written by a handler.
        ADD_FAILURE() << "no writable integer property " << slot(control, property);
    }
}

WindowHandle FakePlatform::handle(ControlId control) {
    calls.push_back(std::string("handle ") + name_of(control));
    return &windows_[static_cast<std::size_t>(control)];
}

std::int32_t FakePlatform::register_hotkey(WindowHandle window, WindowHandle target,
                                           std::int32_t modifiers, std::int32_t key_code) {
    calls.push_back("register_hotkey " + std::to_string(modifiers) + " " +
                    std::to_string(key_code));
    hotkey_target_ = target;
    const std::int32_t id = next_hotkey_id_++;  // a failed registration uses its id too
    const bool fails = std::find(failing_keys.begin(), failing_keys.end(), key_code) !=
                       failing_keys.end();
    registrations.push_back({window, target, modifiers, key_code, id, !fails});
    return fails ? 0 : id;
}

void FakePlatform::press_keys(std::int32_t first, std::int32_t second, std::int32_t third) {
    calls.push_back("press_keys " + std::to_string(first) + " " + std::to_string(second) +
                    " " + std::to_string(third));
    pressed_keys.push_back({first, second, third});
}

void FakePlatform::clear_clipboard() {
    calls.push_back("clear_clipboard");
    ++clipboard_clearings;
}

std::int32_t FakePlatform::message_box(TextRef text, std::int32_t buttons,
                                       std::optional<TextRef> box_caption) {
    calls.push_back("message_box " + to_string(text));
    const std::size_t box = boxes.size();
    boxes.push_back({to_string(text), buttons,
                     box_caption ? std::optional<std::string>(to_string(*box_caption))
                                 : std::nullopt});
    if (while_box_open) while_box_open(box);
    // The text must still be the caller's when the box closes.
    EXPECT_EQ(to_string(text), boxes[box].text) << "message released while box " << box
                                                << " was open";
    calls.push_back("message_box closed");
    return 0;  // IDOK - 1
}

bool FakePlatform::fire_timer(ControlId control) {
    const auto timer = timers.find(control);
    if (timer == timers.end() || !timer->second.running) return false;
    if (control == ControlId::时钟计时) tick(*this);
    if (control == ControlId::时钟清除剪辑版) clipboard_guard(*this);
    return true;
}

bool FakePlatform::press_hotkey(std::int32_t key_code) {
    for (const Registration& r : registrations) {
        if (r.succeeded && r.key_code == key_code && r.modifiers == 0) {
            if (hotkey_target_ != &windows_[static_cast<std::size_t>(ControlId::标签1)]) {
                return false;  // only 标签1's feedback event is bound
            }
            hotkey_dispatch(*this, r.id, 0);
            return true;
        }
    }
    return false;
}

}  // namespace kestrava::testing
