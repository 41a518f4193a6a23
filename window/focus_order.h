// Keyboard focus among the controls: the focus order that Tab and Shift+Tab
// walk, and the control that gets the focus when the main window does.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "window/form.h"

namespace kestrava {

// A control as it is at this moment, in form order.
struct FocusCandidate {
    ControlId id;
    Kind kind;
    bool visible;
    bool enabled;
    bool tab_stop;
    std::int32_t tab_index;
};

struct FocusOrder {
    std::array<ControlId, control_count> ids{};
    std::size_t count = 0;

    bool contains(ControlId id) const;
};

// Visible, enabled tab stops of the kinds that take the focus, by ascending
// tab index and, between equal indexes, from the last in form order to the first.
FocusOrder focus_order(std::span<const FocusCandidate> in_form_order);

// Tab (forward) or Shift+Tab from `current`, wrapping around. From a control
// outside the order, Tab goes to the first and Shift+Tab to the last.
std::optional<ControlId> step_focus(const FocusOrder& order, std::optional<ControlId> current, bool forward);

// The control that gets the focus when the main window receives it: the one
// that had it when the window was last deactivated, if it still exists;
// otherwise the first of the focus order; none leaves it with the window.
std::optional<ControlId> focus_on_activation(std::optional<ControlId> remembered, const FocusOrder& order);

}  // namespace kestrava
