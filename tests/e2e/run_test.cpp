// Whole runs: started and stopped by the hotkeys or the buttons, stops without
// a run, and the one-minute limit.
#include "tests/e2e/e2e_fixture.h"

namespace {

using RunTest = KestravaTest;

// 汉字 counts one each, abc one half each.
constexpr const char* typed_sample = "汉字abc";
constexpr const char* typed_sample_count = "3.5";

TEST_P(RunTest, ByHotkeysCountsSecondsAndReportsTheTypedCharacters) {
    Kestrava* kestrava = start_kestrava();
    ASSERT_NE(kestrava, nullptr);

    press("F2");
    ASSERT_TRUE(eventually("标签1 counting: 1秒", [&] { return label_is(*kestrava, "1秒"); }, 3s));
    ASSERT_TRUE(type_text(*kestrava, typed_sample));
    ASSERT_TRUE(eventually("标签1 counting on: 2秒", [&] { return seconds_at_least(*kestrava, 2); }, 3s));

    press("F3");
    auto boxes = wait_for_boxes(*kestrava, 1);
    ASSERT_EQ(boxes.size(), 1u);
    long long seconds = seconds_shown(*kestrava);
    EXPECT_GE(seconds, 2);
    EXPECT_EQ(boxes[0].text, result_message(seconds, typed_sample_count));

    press("Return");  // OK of the box, which has the focus
    EXPECT_TRUE(eventually("the box closed and 编辑框1 emptied", [&] {
        return Check{result_boxes().empty() && text_of(*kestrava, control::typing_area).empty(),
                     describe(*kestrava)};
    }));
    std::string kept = std::to_string(seconds) + "秒";
    EXPECT_TRUE(throughout("标签1 keeps " + kept + ", the clock stopped",
                           [&] { return label_is(*kestrava, kept); }, 1500ms));
}

TEST_P(RunTest, ByButtons) {
    Kestrava* kestrava = start_kestrava();
    ASSERT_NE(kestrava, nullptr);

    click(*kestrava, control::start_button);
    ASSERT_TRUE(eventually("标签1 counting: 1秒", [&] { return label_is(*kestrava, "1秒"); }, 3s));
    click(*kestrava, control::typing_area);
    ASSERT_TRUE(type_text(*kestrava, typed_sample));

    click(*kestrava, control::stop_button);
    auto boxes = wait_for_boxes(*kestrava, 1);
    ASSERT_EQ(boxes.size(), 1u);
    long long seconds = seconds_shown(*kestrava);
    EXPECT_GE(seconds, 1);
    EXPECT_EQ(boxes[0].text, result_message(seconds, typed_sample_count));

    close_box(boxes[0]);
    EXPECT_TRUE(eventually("the box closed and 编辑框1 emptied", [&] {
        return Check{result_boxes().empty() && text_of(*kestrava, control::typing_area).empty(),
                     describe(*kestrava)};
    }));
    std::string kept = std::to_string(seconds) + "秒";
    EXPECT_TRUE(throughout("标签1 keeps " + kept, [&] { return label_is(*kestrava, kept); }, 1500ms));
}

TEST_P(RunTest, StopWithoutStartReportsZero) {
    Kestrava* kestrava = start_kestrava();
    ASSERT_NE(kestrava, nullptr);

    press("F3");
    auto boxes = wait_for_boxes(*kestrava, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, result_message(0, "0"));
    close_box(boxes[0]);
    EXPECT_TRUE(eventually("the box closed", [&] { return boxes_of(*kestrava, 0); }));
    EXPECT_TRUE(throughout("标签1 still 0秒", [&] { return label_is(*kestrava, "0秒"); }, 1300ms));
}

TEST_P(RunTest, SecondStopInARowReportsTheSameSecondsAndNothingTyped) {
    Kestrava* kestrava = start_kestrava();
    ASSERT_NE(kestrava, nullptr);

    ASSERT_TRUE(type_text(*kestrava, typed_sample));  // typed before the start: counted too
    press("F2");
    ASSERT_TRUE(eventually("标签1 at 1秒", [&] { return label_is(*kestrava, "1秒"); }, 3s));
    press("F3");
    auto first = wait_for_boxes(*kestrava, 1);
    ASSERT_EQ(first.size(), 1u);
    long long seconds = seconds_shown(*kestrava);
    EXPECT_EQ(first[0].text, result_message(seconds, typed_sample_count));
    close_box(first[0]);
    ASSERT_TRUE(eventually("the first box closed, 编辑框1 emptied", [&] {
        return Check{result_boxes().empty() && text_of(*kestrava, control::typing_area).empty(),
                     describe(*kestrava)};
    }));

    ASSERT_TRUE(eventually("Kestrava in the foreground again", [&] { return foreground(*kestrava); }));
    press("F3");
    auto second = wait_for_boxes(*kestrava, 1);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].text, result_message(seconds, "0"));
    close_box(second[0]);
    EXPECT_TRUE(eventually("the second box closed", [&] { return boxes_of(*kestrava, 0); }));
}

// The only scenario that waits out a whole minute.
TEST_P(RunTest, OneMinuteLimitLocksTheBoxAndStopsAt60Seconds) {
    Kestrava* kestrava = start_kestrava();
    ASSERT_NE(kestrava, nullptr);

    click(*kestrava, control::one_minute_box);
    ASSERT_TRUE(eventually("选择框1 ticked and disabled", [&] {
        Fields shown = window(*kestrava);
        return Check{shown.number("3.checked") == 1 && shown.number("3.enabled") == 0,
                     describe(*kestrava)};
    }));
    click(*kestrava, control::one_minute_box);
    EXPECT_TRUE(throughout("选择框1 stays ticked and disabled after a second click", [&] {
        Fields shown = window(*kestrava);
        return Check{shown.number("3.checked") == 1 && shown.number("3.enabled") == 0,
                     describe(*kestrava)};
    }, 500ms));

    click(*kestrava, control::typing_area);
    ASSERT_TRUE(eventually("the focus in 编辑框1", [&] {
        return Check{window(*kestrava).number("focus") == control::typing_area, describe(*kestrava)};
    }));
    // Twice round, back to 编辑框1 for the typing.
    for (int expected : {control::start_button, control::stop_button, control::typing_area,
                         control::start_button, control::stop_button, control::typing_area}) {
        press("Tab");
        ASSERT_TRUE(eventually("Tab moves the focus to control " + std::to_string(expected), [&] {
            return Check{window(*kestrava).number("focus") == expected, describe(*kestrava)};
        }));
    }

    press("F2");
    ASSERT_TRUE(eventually("标签1 at 1秒", [&] { return label_is(*kestrava, "1秒"); }, 3s));
    ASSERT_TRUE(type_text(*kestrava, typed_sample));
    // Found by polling rather than wait_for_boxes: the run takes a minute.
    auto boxes = [&] {
        std::vector<ResultBox> found;
        EXPECT_TRUE(eventually("the run stopping by itself with a box", [&] {
            found = result_boxes_of(*kestrava);
            return Check{!found.empty(), describe(*kestrava)};
        }, 75s));
        return found;
    }();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, result_message(60, typed_sample_count));
    EXPECT_TRUE(throughout("标签1 stays at 60秒 under the box",
                           [&] { return label_is(*kestrava, "60秒"); }, 1500ms));
    close_box(boxes[0]);
    EXPECT_TRUE(eventually("the box closed and 编辑框1 emptied", [&] {
        return Check{result_boxes().empty() && text_of(*kestrava, control::typing_area).empty(),
                     describe(*kestrava)};
    }));
    EXPECT_TRUE(throughout("标签1 stays at 60秒", [&] { return label_is(*kestrava, "60秒"); }, 1300ms));
}

KESTRAVA_E2E_FOR_EVERY_CODE_PAGE(RunTest);

}  // namespace
