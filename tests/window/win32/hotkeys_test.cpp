// The hotkey facility on the real window: ids, feedback to the target, the
// real F2 route, and the bound on nested feedback.
#include "tests/window/win32/window_harness.h"

#include "text/gbk.h"
#include "typing/hotkey_routing.h"
#include "window/operation_rules.h"

namespace kestrava::testing {
namespace {

using enum ControlId;

class HotkeyTest : public WindowTest {
protected:
    std::int32_t register_key(std::int32_t key) {
        return window->register_hotkey(window->hwnd(), control(标签1), 0, key);
    }
    void post_hotkey(WPARAM id, UINT key = VK_F9) { PostMessageW(window->hwnd(), WM_HOTKEY, id, MAKELPARAM(0, key)); }
    bool feedback_count(std::size_t n) {
        return pump_until(window.get(), [&] { return recorder().of(Event::feedback).size() >= n; }, 1000);
    }
};

TEST_F(HotkeyTest, IdsCountFromTheFirstAndAFailureUsesItsId) {
    load(form);
    EXPECT_EQ(register_key(VK_F9), 33001);
    EXPECT_EQ(register_key(VK_F9), 0) << "the same key twice fails";
    EXPECT_EQ(register_key(VK_F10), 33003);
}

TEST_F(HotkeyTest, OwnHotkeysReachTheTargetsFeedbackEvent) {
    load(form);
    register_key(VK_F9);
    register_key(VK_F10);
    post_hotkey(33000);
    post_hotkey(33003);
    post_hotkey(33002);
    post_hotkey(33001);
    ASSERT_TRUE(feedback_count(2));
    pump_for(window.get(), 20);
    EXPECT_EQ(recorder().of(Event::feedback),
              (std::vector<Seen>{{标签1, Event::feedback, 33002, 0}, {标签1, Event::feedback, 33001, 0}}));
}

TEST_F(HotkeyTest, RealF2RunsTheStartAction) {
    load(main_form());
    ASSERT_NE(f2_hotkey_id, 0);
    window->write_text(标签1, Property::caption, "7秒");
    post_hotkey(static_cast<WPARAM>(f2_hotkey_id), VK_F2);
    EXPECT_TRUE(pump_until(window.get(), [&] { return window->read_int(时钟计时, Property::period) == 1000; }));
    EXPECT_EQ(bytes(window->read_text(标签1, Property::caption)), "0秒");
}

// Holding F3 opens one result box inside the other at every auto-repeat. The
// stop handler here shows a real box that stays open; a thread timer closes
// the innermost box once every posted hotkey has been taken.
int depth = 0, deepest = 0;
HWND hotkey_window = nullptr;

BOOL CALLBACK close_enabled_box(HWND window, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (wcscmp(name, L"#32770") == 0 && IsWindowEnabled(window)) {
        PostMessageW(window, WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    return TRUE;
}

void CALLBACK close_innermost_box(HWND, UINT, UINT_PTR, DWORD) {
    MSG waiting;
    if (PeekMessageW(&waiting, hotkey_window, WM_HOTKEY, WM_HOTKEY, PM_NOREMOVE)) return;
    EnumThreadWindows(GetCurrentThreadId(), close_enabled_box, 0);
}

TEST_F(HotkeyTest, NestedFeedbackStopsAtTheBound) {
    depth = deepest = 0;
    recorder().respond = [](Platform& platform, const Seen& seen) -> HandlerResult {
        if (seen.event != Event::feedback) return std::nullopt;
        deepest = std::max(deepest, ++depth);
        platform.message_box("共计0秒，共计打了0个汉字", 0, std::nullopt);
        --depth;
        return std::nullopt;
    };
    load(form);
    hotkey_window = window->hwnd();
    register_key(VK_F9);
    constexpr int held_repeats = 100;
    for (int i = 0; i < held_repeats; ++i) post_hotkey(33001);
    const UINT_PTR closer = SetTimer(nullptr, 0, 20, close_innermost_box);
    const bool unwound = pump_until(window.get(), [&] {
        MSG waiting;
        return depth == 0 && recorder().of(Event::feedback).size() > 0 &&
               !PeekMessageW(&waiting, hotkey_window, WM_HOTKEY, WM_HOTKEY, PM_NOREMOVE);
    }, 60000);
    KillTimer(nullptr, closer);
    ASSERT_TRUE(unwound) << "boxes still open at depth " << depth;
    EXPECT_EQ(deepest, max_feedback_nesting);
    EXPECT_EQ(recorder().of(Event::feedback).size(), static_cast<std::size_t>(max_feedback_nesting));
    EXPECT_EQ(window->hotkeys().nesting(), 0);
    EXPECT_TRUE(window->exists());

    // After unwinding, a hotkey gets its feedback again.
    recorder().respond = nullptr;
    post_hotkey(33001);
    EXPECT_TRUE(feedback_count(max_feedback_nesting + 1));
}

}  // namespace
}  // namespace kestrava::testing
