// Hotkeys while the result box is open: the box's modal loop still lets them
// through, so runs start and stop inside it.
#include "tests/e2e/e2e_fixture.h"

namespace {

class ResultBoxTest : public KestravaTest {
protected:
    // Starts Kestrava and a run with F2, types 汉字abc (3.5 characters), lets
    // the run reach `seconds` and stops it with F3; the one result box must
    // show the run's seconds and the 3.5 characters.
    void stop_a_typed_run(long long seconds) {
        kestrava = start_kestrava();
        ASSERT_NE(kestrava, nullptr);
        press("F2");
        ASSERT_TRUE(type_text(*kestrava, "汉字abc"));
        ASSERT_TRUE(eventually("标签1 at " + std::to_string(seconds) + "秒",
                               [&] { return seconds_at_least(*kestrava, seconds); },
                               std::chrono::seconds(seconds + 2)));
        press("F3");
        auto boxes = wait_for_boxes(*kestrava, 1);
        ASSERT_EQ(boxes.size(), 1u);
        box = boxes[0];
        message = result_message(seconds_shown(*kestrava), "3.5");
        EXPECT_EQ(box.text, message);
    }

    Kestrava* kestrava = nullptr;
    ResultBox box;        // the box of that run
    std::string message;  // what it says
};

TEST_P(ResultBoxTest, F2InsideTheBoxRestartsTheRunAndClosingTheBoxEmptiesTheTypingArea) {
    ASSERT_NO_FATAL_FAILURE(stop_a_typed_run(2));

    press("F2");  // into the box, which has the focus
    ASSERT_TRUE(eventually("a new run counting under the box: 1秒", [&] {
        return Check{text_of(*kestrava, control::seconds_label) == "1秒" &&
                         result_boxes_of(*kestrava).size() == 1,
                     describe(*kestrava)};
    }, 3s));
    EXPECT_EQ(text_of(*kestrava, control::typing_area), "汉字abc") << "emptied only when the box closes";

    close_box(box);
    ASSERT_TRUE(eventually("the box closed and 编辑框1 emptied", [&] {
        return Check{result_boxes().empty() && text_of(*kestrava, control::typing_area).empty(),
                     describe(*kestrava)};
    }));
    long long at_close = seconds_shown(*kestrava);
    ASSERT_TRUE(eventually("the new run going on after the box", [&] {
        return seconds_at_least(*kestrava, at_close + 1);
    }, 3s));

    ASSERT_TRUE(eventually("Kestrava in the foreground again", [&] { return foreground(*kestrava); }));
    press("F3");
    auto second = wait_for_boxes(*kestrava, 1);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].text, result_message(seconds_shown(*kestrava), "0"));
    close_box(second[0]);
    EXPECT_TRUE(eventually("the box closed", [&] { return boxes_of(*kestrava, 0); }));
}

TEST_P(ResultBoxTest, SecondF3InsideTheBoxShowsTheSameMessage) {
    ASSERT_NO_FATAL_FAILURE(stop_a_typed_run(1));

    press("F3");
    auto both = wait_for_boxes(*kestrava, 2);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].text, message);
    EXPECT_EQ(both[1].text, message);
    const ResultBox& upper = both[0].enabled ? both[0] : both[1];
    const ResultBox& lower = both[0].enabled ? both[1] : both[0];
    EXPECT_NE(upper.hwnd, lower.hwnd);
    EXPECT_NE(upper.enabled, lower.enabled) << "the newer box disables the older one";

    close_box(upper);
    ASSERT_TRUE(eventually("the newer box closed and 编辑框1 emptied under the older one", [&] {
        auto left = result_boxes_of(*kestrava);
        return Check{left.size() == 1 && left[0].hwnd == lower.hwnd &&
                         text_of(*kestrava, control::typing_area).empty(),
                     describe(*kestrava)};
    }));
    close_box(lower);
    EXPECT_TRUE(eventually("both boxes closed, 编辑框1 empty", [&] {
        return Check{result_boxes().empty() && text_of(*kestrava, control::typing_area).empty(),
                     describe(*kestrava)};
    }));
}

KESTRAVA_E2E_FOR_EVERY_CODE_PAGE(ResultBoxTest);

}  // namespace
