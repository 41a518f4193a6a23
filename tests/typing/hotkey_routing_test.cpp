#include "typing/hotkey_routing.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/typing/typing_fixture.h"
#include "text/gbk.h"

namespace kestrava::testing {
namespace {

using Calls = std::vector<std::string>;

// The run-controller actions a stretch of calls shows, in order.
std::string actions_in(const Calls& calls) {
    std::string actions;
    for (const std::string& call : calls) {
        const char* action = call == "write 时钟计时.period 1000" ? "start"
                             : call == "write 时钟计时.period 0"  ? "stop"
                                                                  : nullptr;
        if (!action) continue;
        if (!actions.empty()) actions += " ";
        actions += action;
    }
    return actions;
}

TEST_F(TypingTest, SetupRegistersF2ThenF3OnMainWindowFor标签1) {
    hotkey_setup(fake);

    EXPECT_EQ(fake.calls, (Calls{"handle 主窗口", "handle 标签1", "register_hotkey 0 113",
                                 "handle 主窗口", "handle 标签1", "register_hotkey 0 114"}));
    ASSERT_EQ(fake.registrations.size(), 2u);
    const WindowHandle main_window = fake.handle(ControlId::主窗口);
    const WindowHandle label = fake.handle(ControlId::标签1);
    ASSERT_NE(main_window, label);
    for (const Registration& r : fake.registrations) {
        EXPECT_EQ(r.window, main_window);
        EXPECT_EQ(r.target, label);
    }
}

struct RegistrationCase {
    const char* name;
    std::vector<std::int32_t> failing_keys;
    std::int32_t f2_id;
    std::int32_t f3_id;
};

class HotkeyIds : public TypingTest, public ::testing::WithParamInterface<RegistrationCase> {};

TEST_P(HotkeyIds, F2GetsTheFirstIdAndF3TheSecondWhateverFails) {
    fake.failing_keys = GetParam().failing_keys;

    hotkey_setup(fake);

    EXPECT_EQ(f2_hotkey_id, GetParam().f2_id);
    EXPECT_EQ(f3_hotkey_id, GetParam().f3_id);
    EXPECT_EQ(fake.press_hotkey(key::f2), GetParam().f2_id != 0);
    EXPECT_EQ(fake.press_hotkey(key::f3), GetParam().f3_id != 0);
    EXPECT_EQ(actions_in(fake.calls), std::string(GetParam().f2_id ? "start" : "") +
                                          (GetParam().f2_id && GetParam().f3_id ? " " : "") +
                                          (GetParam().f3_id ? "stop" : ""));
}

INSTANTIATE_TEST_SUITE_P(
    Registrations, HotkeyIds,
    ::testing::Values(RegistrationCase{"both_succeed", {}, 33001, 33002},
                      RegistrationCase{"f2_fails", {key::f2}, 0, 33002},
                      RegistrationCase{"f3_fails", {key::f3}, 33001, 0},
                      RegistrationCase{"both_fail", {key::f2, key::f3}, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct FeedbackCase {
    const char* name;
    std::int32_t f2_id;
    std::int32_t f3_id;
    std::int32_t first;
    std::int32_t second;
    const char* actions;
};

class HotkeyDispatch : public TypingTest, public ::testing::WithParamInterface<FeedbackCase> {};

TEST_P(HotkeyDispatch, TestsF2ThenF3AgainstTheStoredIds) {
    f2_hotkey_id = GetParam().f2_id;
    f3_hotkey_id = GetParam().f3_id;

    hotkey_dispatch(fake, GetParam().first, GetParam().second);

    EXPECT_EQ(actions_in(fake.calls), GetParam().actions);
    if (std::string(GetParam().actions).empty()) {
        EXPECT_EQ(fake.calls, Calls{});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Feedback, HotkeyDispatch,
    ::testing::Values(FeedbackCase{"f2", 33001, 33002, 33001, 0, "start"},
                      FeedbackCase{"f3", 33001, 33002, 33002, 0, "stop"},
                      FeedbackCase{"second_ignored", 33001, 33002, 33001, 33002, "start"},
                      FeedbackCase{"unknown_id", 33001, 33002, 33003, 0, ""},
                      FeedbackCase{"zero_with_both_registered", 33001, 33002, 0, 0, ""},
                      FeedbackCase{"negative", 33001, 33002, -33001, 0, ""},
                      FeedbackCase{"zero_both_failed", 0, 0, 0, 0, "start stop"},
                      FeedbackCase{"zero_f2_failed", 0, 33002, 0, 0, "start"},
                      FeedbackCase{"zero_f3_failed", 33001, 0, 0, 0, "stop"},
                      FeedbackCase{"before_setup", 0, 0, 33001, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TypingTest, EqualIdsRunStartThenStopInOneEvent) {
    fake.content = "ab";
    fake.caption = "9秒";

    hotkey_dispatch(fake, 0, 0);

    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, "共计0秒，共计打了1个汉字");
    EXPECT_FALSE(running());
    EXPECT_EQ(fake.content, "");
}

TEST_F(TypingTest, HotkeysDriveARun) {
    hotkey_setup(fake);

    ASSERT_TRUE(fake.press_hotkey(key::f2));
    ASSERT_TRUE(fake.fire_timer(ControlId::时钟计时));
    ASSERT_TRUE(fake.fire_timer(ControlId::时钟计时));
    fake.content = "汉字";
    ASSERT_TRUE(fake.press_hotkey(key::f3));

    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, "共计2秒，共计打了2个汉字");
    EXPECT_FALSE(running());
}

}  // namespace
}  // namespace kestrava::testing
