// Value rules of the control properties that do not depend on the platform:
// logical values and the period of a timer.
#pragma once

#include <cstdint>

namespace kestrava {

// A logical write takes any non-zero value as true; a read yields exactly 1 or 0.
constexpr std::int32_t logical_written(std::int32_t value) { return value != 0 ? 1 : 0; }
constexpr std::int32_t logical_read(std::int32_t value) { return value == 1 ? 1 : 0; }

// A timer's period and whether its platform timer is set.
struct TimerState {
    std::int32_t period = 0;
    bool running = false;
};

// What a period write does to the platform timer: kill it, set it again, or
// neither. Writing the stored period changes nothing, so a running timer keeps
// its phase; a negative period is taken as 0.
struct TimerChange {
    TimerState next;
    bool kill = false;
    bool set = false;
};

constexpr TimerChange write_period(TimerState now, std::int32_t value) {
    const std::int32_t period = value < 0 ? 0 : value;
    if (period == now.period) return {now};
    return {TimerState{period, period > 0}, now.running, period > 0};
}

}  // namespace kestrava
