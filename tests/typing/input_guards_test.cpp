#include "typing/input_guards.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/typing/typing_fixture.h"
#include "text/gbk.h"
#include "typing/run_controller.h"

namespace kestrava::testing {
namespace {

using Calls = std::vector<std::string>;

struct KeyCase {
    const char* name;
    std::int32_t key_code;
    std::int32_t modifiers;
    bool answered;
};

class EnterGuard : public TypingTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(EnterGuard, AnswersOnlyKeyCode13WithOneBackspace) {
    fake.content = "ab";

    enter_guard(fake, GetParam().key_code, GetParam().modifiers);

    if (GetParam().answered) {
        EXPECT_EQ(fake.calls, (Calls{"press_keys 8 0 0"}));
    } else {
        EXPECT_EQ(fake.calls, Calls{});
    }
    EXPECT_EQ(fake.content, "ab");
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EnterGuard,
    ::testing::Values(KeyCase{"enter", 13, 0, true},
                      KeyCase{"ctrl_enter", 13, modifier::ctrl, true},
                      KeyCase{"shift_enter", 13, modifier::shift, true},
                      KeyCase{"alt_enter", 13, modifier::alt, true},
                      KeyCase{"all_modifiers_enter", 13, 7, true},
                      KeyCase{"unknown_modifier_bits_enter", 13, 0x100, true},
                      KeyCase{"own_backspace", 8, 0, false},
                      KeyCase{"line_feed", 10, 0, false},
                      KeyCase{"no_key", 0, 0, false},
                      KeyCase{"f2", 113, 0, false},
                      KeyCase{"f3", 114, 0, false},
                      KeyCase{"enter_plus_256", 13 + 256, 0, false},
                      KeyCase{"negative_13", -13, 0, false},
                      KeyCase{"ctrl_only_with_code_1", 1, modifier::ctrl, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TypingTest, ClipboardGuardClearsOncePerPeriodInAnyState) {
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(fake.fire_timer(ControlId::时钟清除剪辑版));
    EXPECT_EQ(fake.calls, (Calls{"clear_clipboard", "clear_clipboard", "clear_clipboard"}));

    start_action(fake);
    fake.while_box_open = [&](std::size_t) {
        ASSERT_TRUE(fake.fire_timer(ControlId::时钟清除剪辑版));
        ASSERT_TRUE(fake.fire_timer(ControlId::时钟清除剪辑版));
    };
    stop_action(fake);

    EXPECT_EQ(fake.clipboard_clearings, 5);
}

class OneMinuteLock : public TypingTest, public ::testing::WithParamInterface<bool> {};

TEST_P(OneMinuteLock, DisablesTheBoxAndLeavesItsTickAlone) {
    fake.checked = GetParam();  // as the click left it

    one_minute_lock(fake);
    one_minute_lock(fake);

    EXPECT_EQ(fake.calls, (Calls{"write 选择框1.disabled 1", "write 选择框1.disabled 1"}));
    EXPECT_TRUE(fake.disabled[ControlId::选择框1]);
    EXPECT_EQ(fake.checked, GetParam());
    EXPECT_EQ(fake.read_int(ControlId::选择框1, Property::checked), GetParam() ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(ClickLeftBox, OneMinuteLock, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "ticked" : "unticked"; });

}  // namespace
}  // namespace kestrava::testing
