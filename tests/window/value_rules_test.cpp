// Value rules: timer period writes, logical values, hotkey flags and routing,
// the message box style.
#include <gtest/gtest.h>

#include "window/operation_rules.h"
#include "window/property_rules.h"

namespace kestrava {
namespace {

struct PeriodCase {
    const char* what;
    TimerState now;
    std::int32_t written;
    TimerState next;
    bool kill, set;
};

class PeriodWriteTest : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(PeriodWriteTest, ChangesThePlatformTimerOnlyWhenThePeriodChanges) {
    const PeriodCase& c = GetParam();
    const TimerChange change = write_period(c.now, c.written);
    EXPECT_EQ(change.next.period, c.next.period) << c.what;
    EXPECT_EQ(change.next.running, c.next.running) << c.what;
    EXPECT_EQ(change.kill, c.kill) << c.what;
    EXPECT_EQ(change.set, c.set) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Writes, PeriodWriteTest,
    ::testing::Values(
        PeriodCase{"start", {0, false}, 1000, {1000, true}, false, true},
        PeriodCase{"same period keeps the phase", {1000, true}, 1000, {1000, true}, false, false},
        PeriodCase{"new period restarts", {1000, true}, 500, {500, true}, true, true},
        PeriodCase{"stop", {1000, true}, 0, {0, false}, true, false},
        PeriodCase{"negative stops and stores 0", {1000, true}, -3, {0, false}, true, false},
        PeriodCase{"0 while stopped: nothing", {0, false}, 0, {0, false}, false, false},
        PeriodCase{"negative while stopped: nothing", {0, false}, -1, {0, false}, false, false}));

TEST(LogicalTest, WriteTakesNonZeroAsTrueReadGivesExactlyOneOrZero) {
    EXPECT_EQ(logical_written(0), 0);
    for (std::int32_t v : {1, -1, 2, 0x7fffffff}) EXPECT_EQ(logical_written(v), 1) << v;
    EXPECT_EQ(logical_read(1), 1);
    for (std::int32_t v : {0, 2, -1}) EXPECT_EQ(logical_read(v), 0) << v;
}

TEST(HotkeyFlagsTest, MapsOneToSixBitByBitOthersPass) {
    const std::uint32_t control = 2, shift = 4, alt = 1;
    EXPECT_EQ(hotkey_flags(0), 0u);
    EXPECT_EQ(hotkey_flags(1), control);
    EXPECT_EQ(hotkey_flags(2), shift);
    EXPECT_EQ(hotkey_flags(3), control | shift);
    EXPECT_EQ(hotkey_flags(4), alt);
    EXPECT_EQ(hotkey_flags(5), control | alt);
    EXPECT_EQ(hotkey_flags(6), shift | alt);
    EXPECT_EQ(hotkey_flags(7), 7u);
    EXPECT_EQ(hotkey_flags(8), 8u);
}

TEST(HotkeyRouteTest, OwnIdsGetFeedbackUntilTheNestingBound) {
    const std::int32_t next = 33003;  // 33001 and 33002 handed out
    EXPECT_EQ(route_hotkey(33000, next, 0), HotkeyRoute::pass);
    EXPECT_EQ(route_hotkey(33003, next, 0), HotkeyRoute::pass);
    EXPECT_EQ(route_hotkey(33001, 33001, 0), HotkeyRoute::pass);  // nothing registered yet
    EXPECT_EQ(route_hotkey(33001, next, 0), HotkeyRoute::feedback);
    EXPECT_EQ(route_hotkey(33002, next, max_feedback_nesting - 1), HotkeyRoute::feedback);
    EXPECT_EQ(route_hotkey(33002, next, max_feedback_nesting), HotkeyRoute::drop);
    EXPECT_EQ(route_hotkey(33000, next, max_feedback_nesting), HotkeyRoute::pass);
}

TEST(MessageBoxStyleTest, TaskModalUnlessSystemModal) {
    EXPECT_EQ(message_box_style(0), 0x2000u);       // MB_OK | MB_TASKMODAL
    EXPECT_EQ(message_box_style(0x24), 0x2024u);    // MB_YESNO | MB_ICONQUESTION
    EXPECT_EQ(message_box_style(0x1000), 0x1000u);  // MB_SYSTEMMODAL stays
    EXPECT_EQ(message_box_style(0x2001), 0x2001u);
}

}  // namespace
}  // namespace kestrava
