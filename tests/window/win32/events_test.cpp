// Control events on the real window: clicks, the feedback message, and the
// key pre-processing of the program's own message processing.
#include "tests/window/win32/window_harness.h"

#include "text/gbk.h"
#include "window/win32/control_windows.h"

namespace kestrava::testing {
namespace {

using enum ControlId;

class EventsTest : public WindowTest {};

TEST_F(EventsTest, ClicksRaiseClickEventsWithTheCheckBoxAlreadyToggled) {
    std::vector<std::int32_t> checked_at_click;
    recorder().respond = [&](Platform& platform, const Seen& seen) -> HandlerResult {
        if (seen.event == Event::click && seen.control == 选择框1)
            checked_at_click.push_back(platform.read_int(选择框1, Property::checked));
        return std::nullopt;
    };
    load(form);
    for (ControlId id : {按钮1, 按钮2, 选择框1, 选择框1}) SendMessageW(control(id), BM_CLICK, 0, 0);
    pump_for(window.get(), 20);
    EXPECT_EQ(recorder().of(Event::click),
              (std::vector<Seen>{{按钮1, Event::click}, {按钮2, Event::click}, {选择框1, Event::click},
                                 {选择框1, Event::click}}));
    EXPECT_EQ(checked_at_click, (std::vector<std::int32_t>{1, 0}));
}

TEST_F(EventsTest, RealButtonsRunTheStartActionAndTheLock) {
    load(main_form());
    window->write_text(标签1, Property::caption, "5秒");
    SendMessageW(control(按钮1), BM_CLICK, 0, 0);
    EXPECT_EQ(bytes(window->read_text(标签1, Property::caption)), "0秒");
    EXPECT_EQ(window->read_int(时钟计时, Property::period), 1000);
    SendMessageW(control(选择框1), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(control(选择框1)));
    EXPECT_EQ(window->read_int(选择框1, Property::checked), 1);
}

TEST_F(EventsTest, FeedbackMessageReturnsTheHandlersResult) {
    recorder().respond = [](Platform&, const Seen& seen) -> HandlerResult {
        if (seen.event != Event::feedback) return std::nullopt;
        if (seen.first == 1) return 42;
        if (seen.first == 2) return 0;
        if (seen.first == 3) return -7;
        return std::nullopt;
    };
    load(form);
    const HWND label = control(标签1);
    EXPECT_EQ(SendMessageW(label, win32::feedback_message, 1, 5), 42);
    EXPECT_EQ(SendMessageW(label, win32::feedback_message, 2, 0), 0);
    EXPECT_EQ(static_cast<std::int32_t>(SendMessageW(label, win32::feedback_message, 3, 0)), -7);
    EXPECT_EQ(SendMessageW(label, win32::feedback_message, 33001, 0), 0);  // no result
    EXPECT_EQ(recorder().of(Event::feedback),
              (std::vector<Seen>{{标签1, Event::feedback, 1, 5},
                                 {标签1, Event::feedback, 2, 0},
                                 {标签1, Event::feedback, 3, 0},
                                 {标签1, Event::feedback, 33001, 0}}));
}

TEST_F(EventsTest, UnboundFeedbackReturnsZero) {
    load(main_form());
    EXPECT_EQ(SendMessageW(control(标签2), win32::feedback_message, 1, 0), 0);
}

// Tab and Shift+Tab walk the focus order; no key-down event, no tab typed.
class FocusCycleTest : public WindowTest {
protected:
    std::vector<ControlId> walk(int steps, bool shift) {
        held_modifiers.shift = shift;
        std::vector<ControlId> visited;
        for (int i = 0; i < steps; ++i) {
            press(GetFocus(), WM_KEYDOWN, VK_TAB);
            const HWND focus = GetFocus();
            visited.push_back(static_cast<ControlId>(GetDlgCtrlID(focus)));
        }
        held_modifiers.shift = false;
        return visited;
    }
};

TEST_F(FocusCycleTest, TabCyclesBeforeAndAfterTheLock) {
    load(form);
    EXPECT_EQ(walk(4, false), (std::vector{按钮1, 按钮2, 选择框1, 编辑框1}));
    EXPECT_EQ(walk(4, true), (std::vector{选择框1, 按钮2, 按钮1, 编辑框1}));
    window->write_int(选择框1, Property::disabled, 1);
    EXPECT_EQ(walk(3, false), (std::vector{按钮1, 按钮2, 编辑框1}));
    EXPECT_EQ(walk(3, true), (std::vector{按钮2, 按钮1, 编辑框1}));
    EXPECT_TRUE(recorder().of(Event::key_down).empty());
    EXPECT_TRUE(window->read_text(编辑框1, Property::content).absent());
}

TEST_F(FocusCycleTest, RealLockTakesTheCheckBoxOutOfTheCycle) {
    load(main_form());
    SendMessageW(control(选择框1), BM_CLICK, 0, 0);  // the one-minute lock
    SetFocus(control(编辑框1));
    EXPECT_EQ(walk(3, false), (std::vector{按钮1, 按钮2, 编辑框1}));
}

// Keys posted to the typing area reach its key-down event with the key code
// and modifier state the pre-processing gives them.
struct KeyCase {
    const char* what;
    UINT message;
    WPARAM key;
    ModifierKeys held;
    std::int32_t code, modifiers;
};

class KeyDownTest : public WindowTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyDownTest, ReachesTheKeyDownEvent) {
    const KeyCase& c = GetParam();
    load(form);
    held_modifiers = c.held;
    press(control(编辑框1), c.message, c.key);
    EXPECT_EQ(recorder().of(Event::key_down), (std::vector<Seen>{{编辑框1, Event::key_down, c.code, c.modifiers}}))
        << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyDownTest,
    ::testing::Values(KeyCase{"Enter", WM_KEYDOWN, VK_RETURN, {}, 13, 0},
                      KeyCase{"Ctrl+Enter", WM_KEYDOWN, VK_RETURN, {true, false, false}, 13, 1},
                      KeyCase{"Shift+Enter", WM_KEYDOWN, VK_RETURN, {false, true, false}, 13, 2},
                      KeyCase{"Alt+Enter", WM_SYSKEYDOWN, VK_RETURN, {false, false, true}, 13, 4},
                      KeyCase{"Alt alone", WM_SYSKEYDOWN, VK_MENU, {false, false, true}, 18, 0},
                      KeyCase{"Ctrl alone", WM_KEYDOWN, VK_CONTROL, {true, false, false}, 17, 0},
                      KeyCase{"keypad 5", WM_KEYDOWN, VK_NUMPAD5, {}, '5', 0},
                      KeyCase{"keypad minus", WM_KEYDOWN, VK_SUBTRACT, {}, 189, 0},
                      KeyCase{"keypad point", WM_KEYDOWN, VK_DECIMAL, {}, 190, 0},
                      KeyCase{"keypad slash", WM_KEYDOWN, VK_DIVIDE, {}, 191, 0},
                      KeyCase{"keypad star unchanged", WM_KEYDOWN, VK_MULTIPLY, {}, 106, 0},
                      KeyCase{"F5 with Ctrl+Shift", WM_KEYDOWN, VK_F5, {true, true, false}, 116, 3}));

TEST_F(EventsTest, EnterIsSeenBeforeTheEditBoxInsertsTheLineBreak) {
    std::vector<std::string> content_at_key;
    recorder().respond = [&](Platform& platform, const Seen& seen) -> HandlerResult {
        if (seen.event == Event::key_down) content_at_key.push_back(bytes(platform.read_text(编辑框1, Property::content)));
        return std::nullopt;
    };
    load(form);
    window->write_text(编辑框1, Property::content, "字");
    SendMessageW(control(编辑框1), EM_SETSEL, 2, 2);
    press(control(编辑框1), WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(content_at_key, (std::vector<std::string>{"字"}));
    EXPECT_EQ(bytes(window->read_text(编辑框1, Property::content)), "字\r\n");
}

// A key-down handler's result decides whether the typing area gets the key.
struct ResultCase {
    const char* what;
    HandlerResult result;
    const char* content;
};

class KeyResultTest : public WindowTest, public ::testing::WithParamInterface<ResultCase> {};

TEST_P(KeyResultTest, ZeroWithholdsTheKey) {
    const ResultCase& c = GetParam();
    recorder().respond = [&](Platform&, const Seen&) { return c.result; };
    load(form);
    press(control(编辑框1), WM_KEYDOWN, 'A');
    EXPECT_EQ(recorder().of(Event::key_down).size(), 1u) << c.what;
    EXPECT_EQ(bytes(window->read_text(编辑框1, Property::content)), c.content) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Results, KeyResultTest,
                         ::testing::Values(ResultCase{"no result", std::nullopt, "a"},
                                           ResultCase{"result 0", 0, ""},
                                           ResultCase{"result 1", 1, "a"},
                                           ResultCase{"result -1", -1, "a"}));

TEST_F(EventsTest, KeysToADisabledWindowGetNoRuleAndNoEvent) {
    load(form);
    EnableWindow(control(编辑框1), FALSE);
    press(control(编辑框1), WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(window->exists());
    EXPECT_TRUE(recorder().of(Event::key_down).empty());
}

TEST_F(EventsTest, KeysOutsideTheWindowAreLeftAlone) {
    load(form);
    const HWND other = CreateWindowExW(0, L"Edit", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                       nullptr, nullptr);
    win32::UniqueWindow owner(other);
    press(other, WM_KEYDOWN, VK_ESCAPE);
    press(other, WM_KEYDOWN, 'B');
    EXPECT_TRUE(window->exists());
    EXPECT_TRUE(recorder().of(Event::key_down).empty());
    EXPECT_EQ(GetWindowTextLengthW(other), 1);
}

// Esc from the typing area closes the window; the program's loop then ends
// with the quit message's exit code 0.
void CALLBACK give_up(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(99); }

TEST_F(EventsTest, EscClosesAndTheLoopEndsWithZero) {
    load(form);
    PostMessageW(control(编辑框1), WM_KEYDOWN, VK_ESCAPE, 1);
    const UINT_PTR guard = SetTimer(nullptr, 0, 5000, give_up);
    const int exit_code = win32::run_message_loop(*window);
    KillTimer(nullptr, guard);
    EXPECT_EQ(exit_code, 0);
    EXPECT_FALSE(window->exists());
    EXPECT_TRUE(recorder().of(Event::key_down).empty());
}

TEST_F(EventsTest, DestroyedWindowBeforeTheLoopReturnsAtOnce) {
    load(form);
    DestroyWindow(window->hwnd());
    EXPECT_EQ(win32::run_message_loop(*window), 0);
}

TEST_F(EventsTest, ModifiersComeFromTheThreadsKeyState) {
    load(form);
    window->set_modifier_reader(win32::modifiers_from_key_state);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE saved_control = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    press(control(编辑框1), WM_KEYDOWN, VK_RETURN);
    keys[VK_CONTROL] = saved_control;
    SetKeyboardState(keys);
    EXPECT_EQ(recorder().of(Event::key_down), (std::vector<Seen>{{编辑框1, Event::key_down, 13, 1}}));
}

// The real Enter guard: the simulated Backspace comes behind the Enter and
// takes the line break away again.
TEST_F(EventsTest, RealEnterGuardLeavesTheTextUnchanged) {
    load(main_form());
    window->write_text(编辑框1, Property::content, "汉字");
    SendMessageW(control(编辑框1), EM_SETSEL, 4, 4);
    PostMessageW(control(编辑框1), WM_KEYDOWN, VK_RETURN, 1 | (MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC) << 16));
    bool broke_line = false;
    EXPECT_TRUE(pump_until(window.get(), [&] {
        const std::string now = bytes(window->read_text(编辑框1, Property::content));
        broke_line = broke_line || now == "汉字\r\n";
        return broke_line && now == "汉字";
    })) << bytes(window->read_text(编辑框1, Property::content));
}

}  // namespace
}  // namespace kestrava::testing
