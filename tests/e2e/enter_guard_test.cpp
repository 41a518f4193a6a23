// The Enter guard: every Enter in 编辑框1 is answered by a Backspace, so a
// line break that an Enter inserts is removed again at once.
#include "tests/e2e/e2e_fixture.h"

namespace {

using EnterGuardTest = KestravaTest;

struct EnterCase {
    const char* name;
    const char* caret_keys;  // where the caret goes first
    const char* held;        // a modifier held down from before the Enter until the text settled
    const char* enter_key;
    int repeats;             // > 1: pressed that often, 20 ms apart
    const char* expected_text;
    int expected_caret;
};

// The cases run one after the other on the same text, which starts as 汉字abc.
const EnterCase enter_cases[] = {
    {"Enter in the middle of the text", "End Left Left", nullptr, "Return", 1, "汉字abc", 3},
    {"Enter at the end", "End", nullptr, "Return", 1, "汉字abc", 5},
    {"Enter held for 50 repeats", "End Left Left", nullptr, "Return", 50, "汉字abc", 3},
    {"Shift+Enter", "End Left Left", "shift", "Return", 1, "汉字abc", 3},
    {"keypad Enter", "End Left Left", nullptr, "KP_Enter", 1, "汉字abc", 3},
    {"Enter over a selection: the selection is not restored", "End Left Left shift+Left", nullptr,
     "Return", 1, "汉字bc", 2},
    // The simulated Backspace arrives while Ctrl is still down, and the edit
    // control ignores Ctrl+Backspace: the line break of a Ctrl+Enter stays.
    {"Ctrl+Enter", "End Left Left", "ctrl", "Return", 1, "汉字\r\nbc", 4},
};

TEST_P(EnterGuardTest, EveryEnterIsAnsweredByABackspace) {
    Kestrava* kestrava = start_kestrava();
    ASSERT_NE(kestrava, nullptr);
    ASSERT_TRUE(type_text(*kestrava, "汉字abc"));

    for (const EnterCase& enter : enter_cases) {
        SCOPED_TRACE(enter.name);
        press(enter.caret_keys);
        if (enter.held) xdotool({"keydown", enter.held});
        if (enter.repeats > 1)
            press_repeated(enter.enter_key, enter.repeats, 20);
        else
            press(enter.enter_key);
        std::string expected = enter.expected_text;
        auto settled = [&] {
            Fields shown = window(*kestrava);
            return Check{shown.get("7.text") == expected &&
                             shown.number("7.sel_start") == enter.expected_caret &&
                             shown.number("7.sel_end") == enter.expected_caret,
                         describe(*kestrava)};
        };
        std::string expectation = "编辑框1 showing " + escape_for_probe(expected) +
                                  " with the caret at " + std::to_string(enter.expected_caret);
        EXPECT_TRUE(settles(expectation, settled));
        if (enter.held) {
            xdotool({"keyup", enter.held});
            EXPECT_TRUE(settles(expectation + " after the release", settled));
        }
    }
    EXPECT_TRUE(result_boxes().empty());
    EXPECT_EQ(text_of(*kestrava, control::seconds_label), "0秒") << "Enter starts nothing";
}

KESTRAVA_E2E_FOR_EVERY_CODE_PAGE(EnterGuardTest);

}  // namespace
