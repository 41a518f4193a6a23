#include "window/focus_order.h"

#include <algorithm>
#include <functional>

namespace kestrava {

bool FocusOrder::contains(ControlId id) const {
    return std::find(ids.begin(), ids.begin() + count, id) != ids.begin() + count;
}

FocusOrder focus_order(std::span<const FocusCandidate> in_form_order) {
    std::array<const FocusCandidate*, control_count> picked{};
    std::size_t count = 0;
    for (auto it = in_form_order.begin(); it != in_form_order.end() && count < picked.size(); ++it) {
        if (takes_focus(it->kind) && it->visible && it->enabled && it->tab_stop) picked[count++] = &*it;
    }
    // By tab index; among equal indexes the control later in the form comes
    // first. (A sort with a full order needs no buffer, as a stable one would.)
    std::sort(picked.begin(), picked.begin() + count, [](const FocusCandidate* a, const FocusCandidate* b) {
        if (a->tab_index != b->tab_index) return a->tab_index < b->tab_index;
        return std::greater<const FocusCandidate*>()(a, b);
    });
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
