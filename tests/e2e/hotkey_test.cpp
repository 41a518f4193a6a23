// F2 and F3 as hotkeys: from another program, with modifiers, and with a
// second copy of Kestrava running.
#include "tests/e2e/e2e_fixture.h"

namespace {

using HotkeyTest = KestravaTest;

TEST_P(HotkeyTest, ActWhileAnotherProgramHasTheFocusAndDoNotReachIt) {
    Kestrava* kestrava = start_kestrava();
    ASSERT_NE(kestrava, nullptr);
    std::string other = start_other_program();
    ASSERT_FALSE(other.empty());

    press("a");
    ASSERT_TRUE(eventually("the other program receiving the keys", [&] {
        Fields shown = other_program(other);
        return Check{shown.get("caption") == "Other program: keys=1 F2=0 F3=0", shown.describe()};
    }));

    press("F2");
    ASSERT_TRUE(eventually("Kestrava's 标签1 counting: 1秒", [&] { return label_is(*kestrava, "1秒"); }, 3s));
    press("F3");
    auto boxes = wait_for_boxes(*kestrava, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, result_message(seconds_shown(*kestrava), "0"));
    EXPECT_EQ(other_program(other).get("caption"), "Other program: keys=1 F2=0 F3=0")
        << "F2 and F3 are taken by the hotkeys";
    close_box(boxes[0]);
    EXPECT_TRUE(eventually("the box closed", [&] { return boxes_of(*kestrava, 0); }));
}

TEST_P(HotkeyTest, WithCtrlOrShiftAreOrdinaryKeys) {
    Kestrava* kestrava = start_kestrava();
    ASSERT_NE(kestrava, nullptr);
    ASSERT_TRUE(eventually("the focus in 编辑框1", [&] {
        return Check{window(*kestrava).number("focus") == control::typing_area, describe(*kestrava)};
    }));

    struct Case {
        const char* keys;
        Milliseconds watch;  // long enough to see a tick of a run it would start
    };
    for (const Case& modified : {Case{"ctrl+F2", 1300ms}, Case{"shift+F2", 1300ms},
                                 Case{"ctrl+F3", 600ms}, Case{"shift+F3", 600ms}}) {
        SCOPED_TRACE(modified.keys);
        press(modified.keys);
        EXPECT_TRUE(throughout("no run, no box, nothing typed", [&] {
            return Check{text_of(*kestrava, control::seconds_label) == "0秒" &&
                             text_of(*kestrava, control::typing_area).empty() &&
                             result_boxes().empty(),
                         describe(*kestrava)};
        }, modified.watch));
    }

    press("F2");
    EXPECT_TRUE(eventually("plain F2 starting a run: 1秒", [&] { return label_is(*kestrava, "1秒"); }, 3s));
    EXPECT_TRUE(text_of(*kestrava, control::typing_area).empty()) << "F2 is not typed into 编辑框1";
}

TEST_P(HotkeyTest, SecondCopyGetsNoHotkeysButItsButtonsWork) {
    Kestrava* first = start_kestrava();
    ASSERT_NE(first, nullptr);
    Kestrava* second = start_kestrava();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(throughout("no box about the failed hotkeys", [&] {
        return Check{result_boxes().empty(), describe(*second)};
    }, 500ms));

    press("F2");  // the second copy has the focus; the hotkey belongs to the first
    ASSERT_TRUE(eventually("the first copy counting: 1秒", [&] { return label_is(*first, "1秒"); }, 3s));
    EXPECT_EQ(text_of(*second, control::seconds_label), "0秒");

    click(*second, control::start_button);
    ASSERT_TRUE(eventually("the second copy counting after its 按钮1: 1秒",
                           [&] { return label_is(*second, "1秒"); }, 3s));
    click(*second, control::stop_button);
    auto second_boxes = wait_for_boxes(*second, 1);
    ASSERT_EQ(second_boxes.size(), 1u);
    EXPECT_EQ(second_boxes[0].text, result_message(seconds_shown(*second), "0"));
    EXPECT_TRUE(result_boxes_of(*first).empty());
    close_box(second_boxes[0]);
    ASSERT_TRUE(eventually("the second copy's box closed", [&] { return boxes_of(*second, 0); }));

    ASSERT_TRUE(eventually("the second copy in the foreground", [&] { return foreground(*second); }));
    press("F3");
    auto first_boxes = wait_for_boxes(*first, 1);
    ASSERT_EQ(first_boxes.size(), 1u);
    EXPECT_EQ(first_boxes[0].text, result_message(seconds_shown(*first), "0"));
    EXPECT_TRUE(result_boxes_of(*second).empty()) << "F3 reaches only the first copy";
    close_box(first_boxes[0]);
    EXPECT_TRUE(eventually("the first copy's box closed", [&] { return boxes_of(*first, 0); }));
}

KESTRAVA_E2E_FOR_EVERY_CODE_PAGE(HotkeyTest);

}  // namespace
