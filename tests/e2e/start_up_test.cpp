// Start-up: the window and its form as a user first sees them.
#include "tests/e2e/e2e_fixture.h"

namespace {

constexpr long long ws_caption = 0x00C00000;
constexpr long long ws_sysmenu = 0x00080000;
constexpr long long ws_thickframe = 0x00040000;
constexpr long long ws_minimizebox = 0x00020000;
constexpr long long ws_maximizebox = 0x00010000;

struct FormPlace {
    int id;
    const char* name;
    const char* window_class;
    const char* caption;  // nullptr: a timer, whose window text nobody sees
    int x, y, width, height;
    bool visible;
};

const FormPlace form[] = {
    {control::note_label, "标签2", "KestravaLabel",
     "为保证字数统计的准确性，限制了按回车换行，只要按下回车就马上会自动按下退格", 16, 80, 64, 96, true},
    {control::clipboard_timer, "时钟清除剪辑版", "KestravaTimer", nullptr, 24, 216, 26, 26, false},
    {control::one_minute_box, "选择框1", "Button", "一分钟计时", 136, 208, 80, 24, true},
    {control::stop_button, "按钮2", "Button", "停止 F3", 288, 48, 64, 24, true},
    {control::start_button, "按钮1", "Button", "开始 F2", 16, 48, 64, 24, true},
    {control::seconds_label, "标签1", "KestravaLabel", "0秒", 88, 24, 192, 16, true},
    {control::typing_area, "编辑框1", "Edit", "", 88, 48, 184, 136, true},
    {control::run_timer, "时钟计时", "KestravaTimer", nullptr, 24, 184, 26, 26, false},
};

using StartUpTest = KestravaTest;

TEST_P(StartUpTest, ShowsTheFormCentredWithTheCaretInTheEmptyTypingArea) {
    Kestrava* kestrava = start_kestrava();
    ASSERT_NE(kestrava, nullptr);
    ASSERT_TRUE(eventually("the caret in 编辑框1", [&] {
        Fields shown = window(*kestrava);
        return Check{shown.number("focus") == control::typing_area, describe(*kestrava)};
    }));

    Fields shown = window(*kestrava);
    EXPECT_EQ(shown.get("caption"), "Kestrava");
    EXPECT_EQ(shown.get("class"), "KestravaMainWindow");
    EXPECT_EQ(shown.number("width"), 380);
    EXPECT_EQ(shown.number("height"), 300);
    EXPECT_EQ(shown.number("left"), (shown.number("screen_width") - 380) / 2);
    EXPECT_EQ(shown.number("top"), (shown.number("screen_height") - 300) / 2);
    long long style = shown.number("style");
    EXPECT_EQ(style & (ws_caption | ws_sysmenu), ws_caption | ws_sysmenu) << "style " << style;
    EXPECT_EQ(style & (ws_thickframe | ws_minimizebox | ws_maximizebox), 0) << "style " << style;

    EXPECT_EQ(shown.get("children"), "1,2,3,4,5,6,7,8") << "controls stacked in form order";
    for (const FormPlace& place : form) {
        SCOPED_TRACE(place.name);
        std::string prefix = std::to_string(place.id) + ".";
        EXPECT_EQ(shown.get(prefix + "class"), place.window_class);
        if (place.caption) {
            EXPECT_EQ(shown.get(prefix + "text"), place.caption);
        }
        EXPECT_EQ(shown.number(prefix + "x"), place.x);
        EXPECT_EQ(shown.number(prefix + "y"), place.y);
        EXPECT_EQ(shown.number(prefix + "width"), place.width);
        EXPECT_EQ(shown.number(prefix + "height"), place.height);
        EXPECT_EQ(shown.number(prefix + "visible"), place.visible ? 1 : 0);
        EXPECT_EQ(shown.number(prefix + "enabled"), 1);
    }
    EXPECT_EQ(shown.number("3.checked"), 0) << "选择框1 starts unticked";
    EXPECT_EQ(shown.number("7.sel_start"), 0) << "caret at the start of 编辑框1";
    EXPECT_EQ(shown.number("7.sel_end"), 0);
    EXPECT_TRUE(result_boxes().empty()) << "nothing but the window at start-up";
}

KESTRAVA_E2E_FOR_EVERY_CODE_PAGE(StartUpTest);

}  // namespace
