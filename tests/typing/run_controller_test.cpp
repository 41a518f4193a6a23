#include "typing/run_controller.h"

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/typing/typing_fixture.h"
#include "text/gbk.h"
#include "typing/hotkey_routing.h"

namespace kestrava::testing {
namespace {

using Calls = std::vector<std::string>;

std::string repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

class RunController : public TypingTest {
protected:
    // Starts a run and lets `seconds` ticks pass; false if the run ended early.
    bool run_for(int seconds) {
        start_action(fake);
        for (int i = 0; i < seconds; ++i) {
            if (!fake.fire_timer(ControlId::时钟计时)) return false;
        }
        return true;
    }
};

TEST_F(RunController, StartResetsCaptionAndStartsClockOnly) {
    fake.caption = "17秒";
    fake.content = "typed before";

    start_action(fake);

    EXPECT_EQ(fake.calls, (Calls{"write 标签1.caption 0秒", "write 时钟计时.period 1000"}));
    EXPECT_EQ(fake.caption, "0秒");
    EXPECT_EQ(fake.content, "typed before");
    EXPECT_TRUE(running());
}

TEST_F(RunController, StartDuringRunResetsCaptionWithoutRestartingClock) {
    ASSERT_TRUE(run_for(5));
    ASSERT_EQ(fake.caption, "5秒");

    start_action(fake);

    EXPECT_EQ(fake.caption, "0秒");
    EXPECT_EQ(fake.timers[ControlId::时钟计时].period, 1000);
    EXPECT_EQ(fake.timers[ControlId::时钟计时].starts, 1) << "the interval in progress was restarted";
    ASSERT_TRUE(fake.fire_timer(ControlId::时钟计时));
    EXPECT_EQ(fake.caption, "1秒");
}

struct TickCase {
    const char* name;
    const char* before;  // "" stands for an empty caption, read as absent
    const char* after;
};

class TickAdvancesCaption : public RunController,
                            public ::testing::WithParamInterface<TickCase> {};

TEST_P(TickAdvancesCaption, FromWhateverTheCaptionShows) {
    start_action(fake);
    fake.caption = GetParam().before;
    fake.calls.clear();

    ASSERT_TRUE(fake.fire_timer(ControlId::时钟计时));

    EXPECT_EQ(fake.caption, GetParam().after);
    EXPECT_EQ(fake.calls, (Calls{"read 标签1.caption", std::string("write 标签1.caption ") +
                                                           GetParam().after,
                                 "read 选择框1.checked"}));
    EXPECT_TRUE(fake.boxes.empty());
    EXPECT_TRUE(running());
}

INSTANTIATE_TEST_SUITE_P(
    Captions, TickAdvancesCaption,
    ::testing::Values(TickCase{"first", "0秒", "1秒"},
                      TickCase{"to_limit_unarmed", "59秒", "60秒"},
                      TickCase{"past_limit", "60秒", "61秒"},
                      TickCase{"new_digit", "99秒", "100秒"},
                      TickCase{"edited_number", "250秒", "251秒"},
                      TickCase{"edited_fraction", "2.5秒", "3.5秒"},
                      TickCase{"number_without_unit", "7", "8秒"},
                      TickCase{"unit_only", "秒", "1秒"},
                      TickCase{"number_not_leading", "abc12秒", "1秒"},
                      TickCase{"empty", "", "1秒"}),
    [](const auto& info) { return std::string(info.param.name); });

struct LimitCase {
    const char* name;
    bool checked;
    const char* before;
    bool stops;
};

class OneMinuteLimit : public RunController, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(OneMinuteLimit, StopsOnlyAtTheTickThatWritesSixtySecondsWhileTicked) {
    fake.content = repeat("汉", 120);
    start_action(fake);
    fake.caption = GetParam().before;
    fake.checked = GetParam().checked;
    fake.calls.clear();

    ASSERT_TRUE(fake.fire_timer(ControlId::时钟计时));

    if (GetParam().stops) {
        EXPECT_THAT(fake.calls,
                    ::testing::ElementsAre("read 标签1.caption", "write 标签1.caption 60秒",
                                           "read 选择框1.checked", "read 标签1.caption",
                                           "write 时钟计时.period 0", "read 编辑框1.content",
                                           "read 标签1.caption", ::testing::_,
                                           "message_box closed", "write 编辑框1.content "));
        ASSERT_EQ(fake.boxes.size(), 1u);
        EXPECT_EQ(fake.boxes[0].text, "共计60秒，共计打了120个汉字");
        EXPECT_FALSE(running());
        EXPECT_EQ(fake.content, "");
    } else {
        EXPECT_TRUE(fake.boxes.empty());
        EXPECT_TRUE(running());
        EXPECT_EQ(fake.content, repeat("汉", 120));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, OneMinuteLimit,
    ::testing::Values(LimitCase{"reaches_60_ticked", true, "59秒", true},
                      LimitCase{"reaches_60_via_leading_zero", true, "059秒", true},
                      LimitCase{"reaches_59_ticked", true, "58秒", false},
                      LimitCase{"reaches_61_ticked", true, "60秒", false},
                      LimitCase{"reaches_60_5_ticked", true, "59.5秒", false},
                      LimitCase{"reaches_60_unticked", false, "59秒", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunController, TickedRunEndsItselfAfterSixtyTicksWithExactReport) {
    fake.checked = true;
    fake.content = repeat("汉", 120);  // 240 bytes

    EXPECT_TRUE(run_for(59));
    EXPECT_TRUE(fake.boxes.empty());
    EXPECT_TRUE(fake.fire_timer(ControlId::时钟计时));

    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, "共计60秒，共计打了120个汉字");
    EXPECT_EQ(fake.caption, "60秒");
    EXPECT_EQ(fake.content, "");
    EXPECT_FALSE(fake.fire_timer(ControlId::时钟计时));
}

TEST_F(RunController, BoxTickedAfterTheSixtiethTickLetsTheRunGoOn) {
    ASSERT_TRUE(run_for(60));
    fake.checked = true;

    for (int second = 61; second <= 130; ++second) {
        ASSERT_TRUE(fake.fire_timer(ControlId::时钟计时));
    }

    EXPECT_EQ(fake.caption, "130秒");
    EXPECT_TRUE(fake.boxes.empty());
    EXPECT_TRUE(running());
}

TEST_F(RunController, StopStopsClockBeforeReadingAndEmptiesAreaAfterTheBoxCloses) {
    ASSERT_TRUE(run_for(1));
    fake.content = "ab";
    fake.calls.clear();
    fake.while_box_open = [&](std::size_t) {
        EXPECT_FALSE(fake.fire_timer(ControlId::时钟计时)) << "clock still runs under the box";
        EXPECT_EQ(fake.content, "ab");
    };

    stop_action(fake);

    EXPECT_EQ(fake.calls, (Calls{"write 时钟计时.period 0", "read 编辑框1.content",
                                 "read 标签1.caption", "message_box 共计1秒，共计打了1个汉字",
                                 "message_box closed", "write 编辑框1.content "}));
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].buttons, 0);
    EXPECT_EQ(fake.boxes[0].caption, std::nullopt) << "the box must bear the default caption";
    EXPECT_EQ(fake.caption, "1秒");
    EXPECT_EQ(fake.content, "");
}

struct ReportCase {
    const char* name;
    std::string caption;
    std::string content;
    const char* message;
};

class StopReport : public RunController, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(StopReport, CountsHalfTheBytesOfTheTypedText) {
    fake.caption = GetParam().caption;
    fake.content = GetParam().content;

    stop_action(fake);

    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, StopReport,
    ::testing::Values(
        ReportCase{"empty_area", "7秒", "", "共计7秒，共计打了0个汉字"},
        ReportCase{"bytes_240", "60秒", repeat("汉", 120), "共计60秒，共计打了120个汉字"},
        ReportCase{"bytes_105", "7秒", repeat("汉", 52) + "a", "共计7秒，共计打了52.5个汉字"},
        ReportCase{"one_ascii_byte", "7秒", "a", "共计7秒，共计打了0.5个汉字"},
        ReportCase{"full_width_comma", "7秒", "汉，", "共计7秒，共计打了2个汉字"},
        ReportCase{"line_break_counts_its_bytes", "7秒", "ab\r\ncd", "共计7秒，共计打了3个汉字"},
        ReportCase{"empty_caption", "", "ab", "共计，共计打了1个汉字"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunController, StopWithoutStartReportsFormCaption) {
    fake.content = "abcd";

    stop_action(fake);

    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, "共计0秒，共计打了2个汉字");
    EXPECT_EQ(fake.content, "");
    EXPECT_EQ(fake.timers[ControlId::时钟计时].starts, 0);
    EXPECT_FALSE(running());
}

TEST_F(RunController, SecondStopRepeatsSecondsWithNothingCounted) {
    ASSERT_TRUE(run_for(3));
    fake.content = "汉字汉字";

    stop_action(fake);
    stop_action(fake);

    ASSERT_EQ(fake.boxes.size(), 2u);
    EXPECT_EQ(fake.boxes[0].text, "共计3秒，共计打了4个汉字");
    EXPECT_EQ(fake.boxes[1].text, "共计3秒，共计打了0个汉字");
    EXPECT_EQ(fake.content, "");
}

TEST_F(RunController, TextTypedBeforeStartCountsInNextStop) {
    fake.content = "before";  // typed while idle
    ASSERT_TRUE(run_for(1));
    fake.content += "汉";

    stop_action(fake);

    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, "共计1秒，共计打了4个汉字");
}

// While the result box is open the modal loop still delivers hotkeys and ticks.
class OpenResultBox : public RunController {
protected:
    OpenResultBox() { hotkey_setup(fake); }
};

TEST_F(OpenResultBox, F2StartsRunThatOutlivesTheBox) {
    ASSERT_TRUE(run_for(5));
    fake.content = "汉字";
    fake.while_box_open = [&](std::size_t box) {
        if (box != 0) return;
        ASSERT_TRUE(fake.press_hotkey(key::f2));
        EXPECT_EQ(fake.caption, "0秒");
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(fake.fire_timer(ControlId::时钟计时));
        EXPECT_EQ(fake.content, "汉字") << "emptied before the box closed";
    };

    ASSERT_TRUE(fake.press_hotkey(key::f3));

    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, "共计5秒，共计打了2个汉字");
    EXPECT_EQ(fake.calls.back(), "write 编辑框1.content ");
    EXPECT_EQ(fake.content, "");
    EXPECT_EQ(fake.caption, "3秒");
    EXPECT_TRUE(fake.fire_timer(ControlId::时钟计时)) << "the new run must go on";
    EXPECT_EQ(fake.caption, "4秒");
}

TEST_F(OpenResultBox, SecondF3ShowsTheSameMessageAndBothEmptyTheArea) {
    ASSERT_TRUE(run_for(4));
    fake.content = "abc";
    fake.while_box_open = [&](std::size_t box) {
        if (box == 0) {
            ASSERT_TRUE(fake.press_hotkey(key::f3));
        }
    };

    ASSERT_TRUE(fake.press_hotkey(key::f3));

    ASSERT_EQ(fake.boxes.size(), 2u);
    EXPECT_EQ(fake.boxes[0].text, "共计4秒，共计打了1.5个汉字");
    EXPECT_EQ(fake.boxes[1].text, fake.boxes[0].text);
    const Calls tail(fake.calls.end() - 4, fake.calls.end());
    EXPECT_EQ(tail, (Calls{"message_box closed", "write 编辑框1.content ", "message_box closed",
                           "write 编辑框1.content "}));
    EXPECT_EQ(fake.content, "");
}

}  // namespace
}  // namespace kestrava::testing
