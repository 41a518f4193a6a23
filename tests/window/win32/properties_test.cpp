// Control properties on the real controls: captions, content, check box,
// disabled flag, and timer periods with real timers.
#include "tests/window/win32/window_harness.h"

#include <cstring>

#include "text/gbk.h"
#include "window/win32/control_windows.h"

namespace kestrava::testing {
namespace {

using enum ControlId;

class PropertiesTest : public WindowTest {};

TEST_F(PropertiesTest, CaptionReadsBackWhatWasWrittenAndTheReadIsACopy) {
    load(form);
    window->write_text(标签1, Property::caption, "12秒");
    Text first = window->read_text(标签1, Property::caption);
    EXPECT_EQ(bytes(first), "12秒");
    first.data()[0] = '9';  // the caller's copy: the label keeps its own
    EXPECT_EQ(bytes(window->read_text(标签1, Property::caption)), "12秒");
    EXPECT_EQ(text_of(control(标签1)), L"12秒");  // through code page 936, whatever the ANSI code page

    // The label's copy, not the window text, is what a read returns.
    SetWindowTextW(control(标签1), L"other");
    EXPECT_EQ(bytes(window->read_text(标签1, Property::caption)), "12秒");

    for (TextRef empty : {TextRef(""), TextRef()}) {
        window->write_text(标签1, Property::caption, empty);
        EXPECT_TRUE(window->read_text(标签1, Property::caption).absent());
        EXPECT_EQ(text_of(control(标签1)), L"");
    }
}

void put_on_clipboard(const wchar_t* text) {
    const std::size_t size = (wcslen(text) + 1) * sizeof(wchar_t);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), text, size);
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

// Text another program put on the clipboard between two clearings is not
// pasted: the typing area refuses every paste, by key or by message.
TEST_F(PropertiesTest, TypingAreaRefusesPastesWhateverTheClipboardHolds) {
    load(form);
    put_on_clipboard(L"粘贴的文字");

    window->write_text(编辑框1, Property::content, "ab");
    SendMessageW(control(编辑框1), WM_PASTE, 0, 0);
    SendMessageW(control(编辑框1), WM_CHAR, 0x16, 0);  // Ctrl+V as the edit box sees it
    EXPECT_EQ(bytes(window->read_text(编辑框1, Property::content)), "ab");

    // Everything else still reaches the edit box.
    SendMessageW(control(编辑框1), WM_CHAR, L'c', 0);
    EXPECT_EQ(bytes(window->read_text(编辑框1, Property::content)), "cab");
}

// Whatever was put on the clipboard, the next clearing leaves it empty; an
// empty clipboard stays empty.
TEST_F(PropertiesTest, ClearingEmptiesTheClipboardAfterEveryChange) {
    load(form);
    for (const wchar_t* text : {L"第一次", L"second", L"第三次"}) {
        put_on_clipboard(text);
        ASSERT_NE(CountClipboardFormats(), 0);
        window->clear_clipboard();
        EXPECT_EQ(CountClipboardFormats(), 0) << "after it was set to " << text;
        window->clear_clipboard();
        EXPECT_EQ(CountClipboardFormats(), 0);
    }
}

TEST_F(PropertiesTest, ContentIsAbsentWhenEmptyAndRoundTripsGbk) {
    load(form);
    EXPECT_TRUE(window->read_text(编辑框1, Property::content).absent());
    window->write_text(编辑框1, Property::content, "汉字ab，");
    const Text content = window->read_text(编辑框1, Property::content);
    EXPECT_EQ(bytes(content), "汉字ab，");
    EXPECT_EQ(byte_length(content), 8);
    EXPECT_EQ(text_of(control(编辑框1)), L"汉字ab，");

    // Typed text, lines separated by CR LF, is what the control holds.
    SetWindowTextW(control(编辑框1), L"一\r\n二");
    EXPECT_EQ(bytes(window->read_text(编辑框1, Property::content)), "一\r\n二");

    window->write_text(编辑框1, Property::content, "");
    EXPECT_TRUE(window->read_text(编辑框1, Property::content).absent());
    window->write_text(编辑框1, Property::content, "x");
    window->write_text(编辑框1, Property::content, TextRef());
    EXPECT_TRUE(window->read_text(编辑框1, Property::content).absent());
}

TEST_F(PropertiesTest, CheckedFollowsTheControlAndDisablingKeepsIt) {
    load(form);
    SendMessageW(control(选择框1), BM_CLICK, 0, 0);
    EXPECT_EQ(window->read_int(选择框1, Property::checked), 1);
    window->write_int(选择框1, Property::disabled, 2);
    EXPECT_EQ(window->read_int(选择框1, Property::disabled), 1);
    EXPECT_FALSE(IsWindowEnabled(control(选择框1)));
    EXPECT_EQ(window->read_int(选择框1, Property::checked), 1);
    window->write_int(选择框1, Property::disabled, 1);
    EXPECT_FALSE(IsWindowEnabled(control(选择框1)));
    window->write_int(选择框1, Property::disabled, 0);
    EXPECT_TRUE(IsWindowEnabled(control(选择框1)));
    EXPECT_EQ(window->read_int(选择框1, Property::disabled), 0);
}

TEST(LabelDrawFlagsTest, PrefixNeverAndLayoutFromTheSettings) {
    const auto flags = [](bool wrap, HAlign h, VAlign v) {
        KindSettings s;
        s.word_wrap = wrap;
        s.h_align = h;
        s.v_align = v;
        return win32::label_draw_flags(s);
    };
    EXPECT_EQ(flags(false, HAlign::left, VAlign::centre), UINT(DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER));  // 标签1
    EXPECT_EQ(flags(true, HAlign::left, VAlign::centre), UINT(DT_NOPREFIX | DT_WORDBREAK | DT_VCENTER));     // 标签2
    EXPECT_EQ(flags(true, HAlign::right, VAlign::bottom), UINT(DT_NOPREFIX | DT_RIGHT | DT_WORDBREAK | DT_VCENTER));
    EXPECT_EQ(flags(false, HAlign::centre, VAlign::top), UINT(DT_NOPREFIX | DT_CENTER | DT_SINGLELINE));
    EXPECT_EQ(flags(false, HAlign::left, VAlign::bottom), UINT(DT_NOPREFIX | DT_SINGLELINE | DT_BOTTOM));
}

// Periodic events of 时钟计时, with the time each arrived.
class TimerTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        recorder().respond = [this](Platform&, const Seen& seen) -> HandlerResult {
            if (seen.control == 时钟计时) ticks.push_back(GetTickCount64());
            return std::nullopt;
        };
        load(form);
    }
    void write(std::int32_t period) {
        window->write_int(时钟计时, Property::period, period);
        written_at = GetTickCount64();
    }
    bool wait_for_ticks(std::size_t count, DWORD timeout_ms = 3000) {
        return pump_until(window.get(), [&] { return ticks.size() >= count; }, timeout_ms);
    }
    std::vector<ULONGLONG> ticks;
    ULONGLONG written_at = 0;
};

TEST_F(TimerTest, FirstTickComesOnePeriodAfterTheWrite) {
    write(200);
    EXPECT_EQ(window->read_int(时钟计时, Property::period), 200);
    ASSERT_TRUE(wait_for_ticks(1));
    EXPECT_GE(ticks[0] - written_at, 180u);
    EXPECT_LE(ticks[0] - written_at, 400u);
}

TEST_F(TimerTest, WritingTheSamePeriodKeepsThePhase) {
    write(300);
    ASSERT_TRUE(wait_for_ticks(1));
    pump_for(window.get(), 150);
    write(300);  // half-way through an interval: no restart
    ASSERT_TRUE(wait_for_ticks(2));
    const ULONGLONG gap = ticks[1] - ticks[0];
    EXPECT_GE(gap, 270u);
    EXPECT_LE(gap, 380u) << "a restart would put the tick about 450 ms after the first";
}

TEST_F(TimerTest, AnotherPeriodRestartsTheInterval) {
    write(300);
    ASSERT_TRUE(wait_for_ticks(1));
    pump_for(window.get(), 150);
    write(200);
    ASSERT_TRUE(wait_for_ticks(2));
    EXPECT_GE(ticks[1] - written_at, 180u);
    EXPECT_GE(ticks[1] - ticks[0], 320u);
}

TEST_F(TimerTest, ZeroOrNegativeStopsAndStoresZero) {
    write(50);
    ASSERT_TRUE(wait_for_ticks(1));
    write(-5);
    EXPECT_EQ(window->read_int(时钟计时, Property::period), 0);
    const std::size_t before = ticks.size();
    pump_for(window.get(), 250);
    EXPECT_EQ(ticks.size(), before);
}

TEST_F(TimerTest, ClipboardTimerRunsFromCreationAtTheMinimumInterval) {
    pump_for(window.get(), 200);
    const auto clearing = recorder().of(Event::periodic);
    EXPECT_GE(clearing.size(), 5u);
    EXPECT_LE(clearing.size(), 25u) << "a 1 ms period is raised to the 10 ms minimum";
    for (const Seen& s : clearing) EXPECT_EQ(s.control, 时钟清除剪辑版);
    EXPECT_TRUE(ticks.empty()) << "时钟计时 is stopped until a period is written";
}

TEST_F(TimerTest, DestroyingTheWindowKillsTheTimer) {
    write(20);
    ASSERT_TRUE(wait_for_ticks(1));
    const HWND timer = control(时钟计时);
    window.reset();
    EXPECT_FALSE(IsWindow(timer));
    const std::size_t before = ticks.size();
    pump_for(nullptr, 100);
    EXPECT_EQ(ticks.size(), before);
}

}  // namespace
}  // namespace kestrava::testing
