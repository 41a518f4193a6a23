// The key pre-processing's decision: which keys navigate, which are left
// alone, and which raise the key-down event.
#include <gtest/gtest.h>

#include "window/navigation.h"

namespace kestrava {
namespace {

constexpr std::uint32_t key_down = 0x100, key_up = 0x101, character = 0x102, sys_key_down = 0x104;

// The typing area of Kestrava's form has the focus: it claims plain Enter.
KeyContext typing_area() {
    KeyContext c;
    c.focused = ControlId::编辑框1;
    c.focus_claims_plain_enter = true;
    c.esc_closes = true;
    return c;
}

struct NavCase {
    const char* what;
    std::uint32_t message;
    std::int32_t key;
    ModifierKeys held;
    KeyContext context;
    KeyAction action;
};

class NavigationTest : public ::testing::TestWithParam<NavCase> {};

TEST_P(NavigationTest, Decides) {
    const NavCase& c = GetParam();
    EXPECT_EQ(decide_key(c.message, c.key, c.held, c.context).action, c.action) << c.what;
}

KeyContext with(KeyContext c, void (*change)(KeyContext&)) {
    change(c);
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, NavigationTest,
    ::testing::Values(
        NavCase{"Tab moves on", key_down, 9, {}, typing_area(), KeyAction::focus_next},
        NavCase{"Shift+Tab moves back", key_down, 9, {false, true, false}, typing_area(), KeyAction::focus_previous},
        NavCase{"Ctrl+Tab is an ordinary key", key_down, 9, {true, false, false}, typing_area(),
                KeyAction::raise_key_down},
        NavCase{"Tab as WM_SYSKEYDOWN navigates too", sys_key_down, 9, {}, typing_area(), KeyAction::focus_next},
        NavCase{"plain Enter claimed by the edit box", key_down, 13, {}, typing_area(), KeyAction::raise_key_down},
        NavCase{"Ctrl+Enter: no rule, key-down", key_down, 13, {true, false, false}, typing_area(),
                KeyAction::raise_key_down},
        NavCase{"Esc closes", key_down, 27, {}, typing_area(), KeyAction::close},
        NavCase{"Esc without the setting goes on", key_down, 27, {},
                with(typing_area(), [](KeyContext& c) { c.esc_closes = false; }), KeyAction::raise_key_down},
        NavCase{"Shift+Esc is not Esc", key_down, 27, {false, true, false}, typing_area(),
                KeyAction::raise_key_down},
        NavCase{"Alt+F4 raises key-down, then goes on", sys_key_down, 115, {false, false, true}, typing_area(),
                KeyAction::raise_key_down},
        NavCase{"key-up has no rule and no event", key_up, 13, {}, typing_area(), KeyAction::leave},
        NavCase{"a character has no rule and no event", character, 13, {}, typing_area(), KeyAction::leave},
        NavCase{"disabled target: Tab left alone", key_down, 9, {},
                with(typing_area(), [](KeyContext& c) { c.target_enabled = false; }), KeyAction::leave},
        NavCase{"disabled target: Esc left alone", key_down, 27, {},
                with(typing_area(), [](KeyContext& c) { c.target_enabled = false; }), KeyAction::leave},
        NavCase{"mouse message on a disabled window is not a key", 0x201, 0, {},
                with(typing_area(), [](KeyContext& c) { c.target_enabled = false; }), KeyAction::leave}));

// Enter cases a to d, in order of precedence, with the focus on a button
// (which claims nothing).
struct EnterCase {
    const char* what;
    bool focus_is_default;
    bool enter_moves_focus;
    std::optional<ControlId> first_default;
    KeyAction action;
    ControlId target;
};

class EnterTest : public ::testing::TestWithParam<EnterCase> {};

TEST_P(EnterTest, FollowsCasesAToD) {
    const EnterCase& c = GetParam();
    KeyContext context;
    context.focused = ControlId::按钮1;
    context.focus_is_default_button = c.focus_is_default;
    context.enter_moves_focus = c.enter_moves_focus;
    context.first_default_button = c.first_default;
    const KeyDecision decision = decide_key(key_down, 13, {}, context);
    EXPECT_EQ(decision.action, c.action) << c.what;
    if (c.action == KeyAction::click) EXPECT_EQ(decision.target, c.target) << c.what;
    if (c.action == KeyAction::raise_key_down) {
        EXPECT_EQ(decision.key_code, 13);
        EXPECT_EQ(decision.modifiers, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Enter, EnterTest,
    ::testing::Values(
        EnterCase{"a: focused default button clicks itself", true, true, ControlId::按钮2, KeyAction::click,
                  ControlId::按钮1},
        EnterCase{"b: Enter moves the focus", false, true, ControlId::按钮2, KeyAction::focus_next,
                  ControlId::主窗口},
        EnterCase{"c: first default button in form order", false, false, ControlId::按钮2, KeyAction::click,
                  ControlId::按钮2},
        EnterCase{"d: nothing applies, key-down", false, false, std::nullopt, KeyAction::raise_key_down,
                  ControlId::主窗口}));

TEST(NavigationTest, ClaimedEnterSkipsTheDefaultButton) {
    KeyContext context = typing_area();
    context.first_default_button = ControlId::按钮2;
    context.enter_moves_focus = true;
    EXPECT_EQ(decide_key(key_down, 13, {}, context).action, KeyAction::raise_key_down);
    // Shift+Enter is not claimed, so the rules apply to it.
    EXPECT_EQ(decide_key(key_down, 13, {false, true, false}, context).action, KeyAction::raise_key_down);
}

TEST(NavigationTest, KeyDownCarriesFoldedCodeAndModifiers) {
    const KeyDecision keypad = decide_key(key_down, 110, {true, false, false}, typing_area());
    EXPECT_EQ(keypad.key_code, 190);
    EXPECT_EQ(keypad.modifiers, 1);
    const KeyDecision alt_enter = decide_key(sys_key_down, 13, {false, false, true}, typing_area());
    EXPECT_EQ(alt_enter.action, KeyAction::raise_key_down);
    EXPECT_EQ(alt_enter.key_code, 13);
    EXPECT_EQ(alt_enter.modifiers, 4);
}

}  // namespace
}  // namespace kestrava
