// Closing the window during a run: the program ends with exit code 0 and
// shows no result.
#include "tests/e2e/e2e_fixture.h"

namespace {

using ClosingTest = KestravaTest;

struct CloseWay {
    const char* name;
    const char* keys;           // pressed with xdotool, or
    const char* probe_command;  // sent to the main window ("%" stands for its handle)
};

const CloseWay close_ways[] = {
    {"Esc from 编辑框1", "Escape", nullptr},
    {"Alt+F4", "alt+F4", nullptr},
    {"the close button (WM_SYSCOMMAND SC_CLOSE)", nullptr, "post % 274 61536 0"},
};

TEST_P(ClosingTest, DuringARunEndsWithExitCode0AndNoResult) {
    for (const CloseWay& way : close_ways) {
        SCOPED_TRACE(way.name);
        Kestrava* kestrava = start_kestrava();
        ASSERT_NE(kestrava, nullptr);
        press("F2");
        ASSERT_TRUE(type_text(*kestrava, "汉字"));
        ASSERT_TRUE(eventually("a run: 1秒", [&] { return seconds_at_least(*kestrava, 1); }, 3s));

        if (way.keys) {
            press(way.keys);
        } else {
            std::string command = way.probe_command;
            command.replace(command.find('%'), 1, kestrava->hwnd);
            ASSERT_TRUE(probe().ask(command).ok());
        }
        std::optional<int> exit_code;
        // A result box ends the wait early; the check after it reports it.
        EXPECT_TRUE(eventually("the program ended, no result box on the way", [&] {
            std::vector<ResultBox> boxes = result_boxes();
            if (!boxes.empty()) return Check{true, "a result box: " + boxes[0].text};
            exit_code = kestrava->process.wait_exit(0ms);
            return Check{exit_code.has_value(), describe(*kestrava)};
        }));
        EXPECT_TRUE(result_boxes().empty()) << "a result box came up while closing";
        EXPECT_EQ(exit_code, 0);
        kestrava->process.stop();
    }
}

KESTRAVA_E2E_FOR_EVERY_CODE_PAGE(ClosingTest);

}  // namespace
