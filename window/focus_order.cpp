#include "window/focus_order.h"

#include <algorithm>

namespace kestrava {

bool FocusOrder::contains(ControlId id) const {
    return std::find(ids.begin(), ids.begin() + count, id) != ids.begin() + count;
}

FocusOrder focus_order(std::span<const FocusCandidate> in_form_order) {
    std::array<const FocusCandidate*, control_count> picked{};
    std::size_t count = 0;
    // Walking the form backwards and sorting stably by tab index puts later
    // controls first among equal indexes.
    for (auto it = in_form_order.rbegin(); it != in_form_order.rend() && count < picked.size(); ++it) {
        if (takes_focus(it->kind) && it->visible && it->enabled && it->tab_stop) picked[count++] = &*it;
    }
    std::stable_sort(picked.begin(), picked.begin() + count,
                     [](const FocusCandidate* a, const FocusCandidate* b) { return a->tab_index < b->tab_index; });
    FocusOrder order;
    for (std::size_t i = 0; i < count; ++i) order.ids[i] = picked[i]->id;
    order.count = count;
    return order;
}

std::optional<ControlId> step_focus(const FocusOrder& order, std::optional<ControlId> current, bool forward) {
    if (order.count == 0) return std::nullopt;
    const auto begin = order.ids.begin(), end = order.ids.begin() + order.count;
    const auto at = current ? std::find(begin, end, *current) : end;
    if (at == end) return forward ? *begin : *(end - 1);
    if (forward) return at + 1 == end ? *begin : *(at + 1);
    return at == begin ? *(end - 1) : *(at - 1);
}

std::optional<ControlId> focus_on_activation(std::optional<ControlId> remembered, const FocusOrder& order) {
    if (remembered) return remembered;
    if (order.count == 0) return std::nullopt;
    return order.ids[0];
}

}  // namespace kestrava
