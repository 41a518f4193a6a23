// Focus order over Kestrava's form and the focus rule on activation.
#include <gtest/gtest.h>

#include <vector>

#include "window/focus_order.h"

namespace kestrava {
namespace {

// The controls as the form starts them: visible ones enabled, all tab indexes 0.
std::vector<FocusCandidate> form_at_start() {
    std::vector<FocusCandidate> candidates;
    for (const ControlSpec& entry : main_form().controls)
        candidates.push_back({entry.id, entry.kind, entry.visible, !entry.disabled, entry.tab_stop, entry.tab_index});
    return candidates;
}

std::vector<ControlId> ids(const FocusOrder& order) {
    return {order.ids.begin(), order.ids.begin() + order.count};
}

FocusCandidate& find(std::vector<FocusCandidate>& candidates, ControlId id) {
    for (FocusCandidate& c : candidates)
        if (c.id == id) return c;
    throw std::logic_error("no such control");
}

using enum ControlId;

TEST(FocusOrderTest, FormOrderReversedAmongEqualTabIndexes) {
    EXPECT_EQ(ids(focus_order(form_at_start())), (std::vector{编辑框1, 按钮1, 按钮2, 选择框1}));
}

TEST(FocusOrderTest, LockedCheckBoxDropsOut) {
    auto candidates = form_at_start();
    find(candidates, 选择框1).enabled = false;
    EXPECT_EQ(ids(focus_order(candidates)), (std::vector{编辑框1, 按钮1, 按钮2}));
}

TEST(FocusOrderTest, LowerTabIndexComesFirstAndHiddenOrNonTabStopsNever) {
    auto candidates = form_at_start();
    find(candidates, 选择框1).tab_index = -1;
    find(candidates, 按钮2).tab_index = 5;
    find(candidates, 按钮1).visible = false;
    // Labels and timers never take the focus, even as tab stops.
    find(candidates, 标签1).tab_stop = true;
    find(candidates, 时钟计时).tab_stop = true;
    find(candidates, 时钟计时).visible = true;
    EXPECT_EQ(ids(focus_order(candidates)), (std::vector{选择框1, 编辑框1, 按钮2}));
    find(candidates, 编辑框1).tab_stop = false;
    EXPECT_EQ(ids(focus_order(candidates)), (std::vector{选择框1, 按钮2}));
}

TEST(FocusOrderTest, TabAndShiftTabWrapAround) {
    const FocusOrder order = focus_order(form_at_start());
    std::vector<ControlId> forward, backward;
    std::optional<ControlId> at = 编辑框1;
    for (int i = 0; i < 5; ++i) forward.push_back(*(at = step_focus(order, at, true)));
    at = 编辑框1;
    for (int i = 0; i < 5; ++i) backward.push_back(*(at = step_focus(order, at, false)));
    EXPECT_EQ(forward, (std::vector{按钮1, 按钮2, 选择框1, 编辑框1, 按钮1}));
    EXPECT_EQ(backward, (std::vector{选择框1, 按钮2, 按钮1, 编辑框1, 选择框1}));
}

TEST(FocusOrderTest, FromOutsideTheOrderTabStartsAtAnEnd) {
    const FocusOrder order = focus_order(form_at_start());
    EXPECT_EQ(step_focus(order, std::nullopt, true), 编辑框1);
    EXPECT_EQ(step_focus(order, std::nullopt, false), 选择框1);
    EXPECT_EQ(step_focus(order, 标签1, true), 编辑框1);
    EXPECT_EQ(step_focus(FocusOrder{}, 编辑框1, true), std::nullopt);
}

TEST(FocusRuleTest, RememberedControlWinsElseFirstOfTheOrder) {
    const FocusOrder order = focus_order(form_at_start());
    EXPECT_EQ(focus_on_activation(std::nullopt, order), 编辑框1);
    EXPECT_EQ(focus_on_activation(按钮2, order), 按钮2);
    EXPECT_EQ(focus_on_activation(std::nullopt, FocusOrder{}), std::nullopt);
}

}  // namespace
}  // namespace kestrava
