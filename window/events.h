// Events of the main window and its controls, the records their sources hand
// to the dispatcher, and what a handler's result does at each source.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "window/platform.h"

namespace kestrava {

enum class Event : std::uint8_t {
    created,   // main window, at the end of loading
    click,     // 按钮, 选择框: BN_CLICKED
    periodic,  // 时钟: WM_TIMER at the timer's own window
    feedback,  // 标签: the feedback message (wParam, lParam)
    key_down,  // any control: WM_KEYDOWN / WM_SYSKEYDOWN in the key pre-processing
};

// A handler ends with no result or with a result; no result is not 0.
using HandlerResult = std::optional<std::int32_t>;
using EventParams = std::array<std::int32_t, 5>;

struct EventRecord {
    ControlId control;
    Event event;
    EventParams params{};
    bool has_result = false;  // filled in by the dispatcher
    std::int32_t result = 0;
};

// What the sources do with a raised event's outcome.
//   key-down: withheld only when a handler ran and gave exactly 0.
//   feedback: the message returns the result, 0 when there is none.
constexpr bool withholds_key(bool raised, const EventRecord& record) {
    return raised && record.has_result && record.result == 0;
}
constexpr std::int32_t feedback_return(bool raised, const EventRecord& record) {
    return raised && record.has_result ? record.result : 0;
}

}  // namespace kestrava
