// Loading the main window: the form's start values, stacking, events during
// creation, the created event, and the focus rule.
#include "tests/window/win32/window_harness.h"

#include "text/gbk.h"
#include "typing/hotkey_routing.h"
#include "window/win32/control_windows.h"

namespace kestrava::testing {
namespace {

using enum ControlId;

std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

RECT place_in_parent(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class StartTest : public WindowTest {};

TEST_F(StartTest, MainWindowIsCentredFixedAndCarriesIconAndCaption) {
    load(main_form());
    const HWND main = window->hwnd();
    EXPECT_EQ(class_of(main), L"KestravaMainWindow");
    EXPECT_EQ(text_of(main), L"Kestrava");
    RECT outer;
    GetWindowRect(main, &outer);
    EXPECT_EQ(outer.right - outer.left, 380);
    EXPECT_EQ(outer.bottom - outer.top, 300);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 380) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
    const LONG style = GetWindowLongW(main, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN), WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
    EXPECT_EQ(GetWindowLongW(main, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
    EXPECT_EQ(GetParent(main), nullptr);
    EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_NE(SendMessageW(main, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(main, WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(StartTest, ControlsStartAsTheFormSays) {
    load(main_form());
    struct Expected {
        ControlId id;
        const wchar_t* window_class;
        RECT place;
        bool visible;
        const wchar_t* text;
    };
    const Expected expected[] = {
        {标签2, L"KestravaLabel", {16, 80, 80, 176}, true,
         L"为保证字数统计的准确性，限制了按回车换行，只要按下回车就马上会自动按下退格"},
        {时钟清除剪辑版, L"KestravaTimer", {24, 216, 50, 242}, false, L""},
        {选择框1, L"Button", {136, 208, 216, 232}, true, L"一分钟计时"},
        {按钮2, L"Button", {288, 48, 352, 72}, true, L"停止 F3"},
        {按钮1, L"Button", {16, 48, 80, 72}, true, L"开始 F2"},
        {标签1, L"KestravaLabel", {88, 24, 280, 40}, true, L"0秒"},
        {编辑框1, L"Edit", {88, 48, 272, 184}, true, L""},
        {时钟计时, L"KestravaTimer", {24, 184, 50, 210}, false, L""},
    };
    for (const Expected& e : expected) {
        const HWND c = control(e.id);
        SCOPED_TRACE(Form::position(e.id));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(GetDlgCtrlID(c), Form::position(e.id));
        EXPECT_EQ(_wcsicmp(class_of(c).c_str(), e.window_class), 0) << class_of(c).c_str();
        const RECT r = place_in_parent(c);
        EXPECT_TRUE(EqualRect(&r, &e.place)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        EXPECT_EQ(IsWindowVisible(c) != FALSE, e.visible);
        EXPECT_EQ(text_of(c), e.text);
        EXPECT_TRUE(IsWindowEnabled(c));
        const bool timer = e.id == 时钟清除剪辑版 || e.id == 时钟计时;
        EXPECT_EQ(SendMessageW(c, WM_GETFONT, 0, 0) != 0, !timer) << "default GUI font";
    }
    const LONG edit = GetWindowLongW(control(编辑框1), GWL_STYLE);
    EXPECT_EQ(edit & (ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP),
              ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP);
    EXPECT_EQ(edit & (ES_READONLY | ES_PASSWORD | ES_AUTOHSCROLL | ES_NOHIDESEL), 0);
    EXPECT_TRUE(GetWindowLongW(control(编辑框1), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetWindowLongW(control(选择框1), GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_EQ(GetWindowLongW(control(按钮1), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(control(标签1), GWL_STYLE) & WS_TABSTOP, 0);

    // The values the handlers rely on.
    EXPECT_EQ(bytes(window->read_text(标签1, Property::caption)), "0秒");
    EXPECT_TRUE(window->read_text(编辑框1, Property::content).absent());
    EXPECT_EQ(window->read_int(选择框1, Property::checked), 0);
    EXPECT_EQ(window->read_int(选择框1, Property::disabled), 0);
    EXPECT_EQ(window->read_int(时钟计时, Property::period), 0);
    EXPECT_EQ(window->read_int(时钟清除剪辑版, Property::period), 1);
    EXPECT_EQ(GetFocus(), control(编辑框1));
    DWORD start = 1, end = 1;
    SendMessageW(control(编辑框1), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
}

TEST_F(StartTest, ControlsAreStackedInFormOrder) {
    load(main_form());
    std::vector<int> top_to_bottom;
    for (HWND c = GetWindow(window->hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        top_to_bottom.push_back(GetDlgCtrlID(c));
    EXPECT_EQ(top_to_bottom, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(StartTest, RealCreatedEventRegistersF2ThenF3) {
    f2_hotkey_id = f3_hotkey_id = 0;
    load(main_form());
    EXPECT_EQ(f2_hotkey_id, 33001);
    EXPECT_EQ(f3_hotkey_id, 33002);
}

// Real messages sent while the window is being created, from a CBT hook at
// the creation of the last control: they reach no handler, then or later.
HHOOK creation_hook;
std::vector<LRESULT> answers_during_creation;

LRESULT CALLBACK send_during_creation(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lparam)->lpcs;
        const HWND parent = create->hwndParent;
        if (parent && create->hMenu == reinterpret_cast<HMENU>(1)) {  // 标签2, created last
            const HWND button = GetDlgItem(parent, 5), label = GetDlgItem(parent, 6);
            SendMessageW(parent, WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            answers_during_creation.push_back(SendMessageW(label, win32::feedback_message, 7, 8));
            SendMessageW(GetDlgItem(parent, 8), WM_TIMER, win32::timer_id, 0);
        }
    }
    return CallNextHookEx(creation_hook, code, wparam, lparam);
}

TEST_F(StartTest, EventsDuringCreationAreDroppedAndTheCreatedEventFindsEveryHandle) {
    std::vector<std::string> at_created;
    recorder().respond = [&](Platform& platform, const Seen& seen) -> HandlerResult {
        if (seen.event == Event::feedback) return 99;
        if (seen.event != Event::created) return std::nullopt;
        const HWND main = static_cast<HWND>(platform.handle(主窗口));
        at_created.push_back(IsWindowVisible(main) ? "main visible" : "main hidden");
        for (const ControlSpec& entry : main_form().controls) {
            const HWND c = static_cast<HWND>(platform.handle(entry.id));
            if (!IsWindow(c) || GetParent(c) != main) at_created.push_back("missing " + std::to_string(Form::position(entry.id)));
        }
        at_created.push_back(bytes(platform.read_text(标签1, Property::caption)));
        return std::nullopt;
    };
    answers_during_creation.clear();
    creation_hook = SetWindowsHookExW(WH_CBT, send_during_creation, nullptr, GetCurrentThreadId());
    load(form);
    UnhookWindowsHookEx(creation_hook);

    EXPECT_EQ(answers_during_creation, (std::vector<LRESULT>{0}));
    EXPECT_EQ(at_created, (std::vector<std::string>{"main hidden", "0秒"}));
    pump_for(window.get(), 50);
    ASSERT_FALSE(recorder().seen.empty());
    EXPECT_EQ(recorder().seen.front(), (Seen{主窗口, Event::created}));
    EXPECT_EQ(recorder().of(Event::created).size(), 1u);
    EXPECT_TRUE(recorder().of(Event::click).empty());
    EXPECT_TRUE(recorder().of(Event::feedback).empty());
    for (const Seen& tick : recorder().of(Event::periodic)) EXPECT_EQ(tick.control, 时钟清除剪辑版);

    // The same messages after loading do arrive.
    SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), reinterpret_cast<LPARAM>(control(按钮1)));
    EXPECT_EQ(SendMessageW(control(标签1), win32::feedback_message, 7, 8), 99);
    EXPECT_EQ(recorder().of(Event::click), (std::vector<Seen>{{按钮1, Event::click}}));
    EXPECT_EQ(recorder().of(Event::feedback), (std::vector<Seen>{{标签1, Event::feedback, 7, 8}}));
}

// A CBT hook that refuses the creation of one window makes loading fail.
HHOOK refusing_hook;
const wchar_t* refused_class;

LRESULT CALLBACK refuse_creation(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lparam)->lpcs;
        // System classes may come with the common controls version in front ("6.0...!Edit").
        if (!IS_INTRESOURCE(create->lpszClass)) {
            const std::wstring name = create->lpszClass;
            const std::wstring wanted = refused_class;
            if (name.size() >= wanted.size() && _wcsicmp(name.c_str() + name.size() - wanted.size(), wanted.c_str()) == 0)
                return 1;
        }
    }
    return CallNextHookEx(refusing_hook, code, wparam, lparam);
}

TEST_F(StartTest, LoadingFailsWhenAWindowCannotBeCreated) {
    for (const wchar_t* refused : {L"KestravaMainWindow", L"Edit"}) {
        SCOPED_TRACE(std::string(refused, refused + wcslen(refused)));
        recorder() = Recorder{};
        refused_class = refused;
        refusing_hook = SetWindowsHookExW(WH_CBT, refuse_creation, nullptr, GetCurrentThreadId());
        win32::MainWindow failing(form, GetModuleHandleW(nullptr));
        const bool loaded = failing.load();
        UnhookWindowsHookEx(refusing_hook);
        EXPECT_FALSE(loaded);
        EXPECT_TRUE(recorder().of(Event::created).empty());
    }
    EXPECT_EQ(FindWindowW(L"KestravaMainWindow", nullptr), nullptr);
}

TEST_F(StartTest, FocusComesBackToTheControlThatHadIt) {
    load(form);
    const HWND other = CreateWindowExW(0, L"Static", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                                       nullptr, nullptr, nullptr, nullptr);
    win32::UniqueWindow other_owner(other);
    for (ControlId id : {按钮2, 选择框1, 编辑框1}) {
        SCOPED_TRACE(Form::position(id));
        SetFocus(control(id));
        SetActiveWindow(other);
        ASSERT_TRUE(pump_until(window.get(), [&] { return GetActiveWindow() == other; }));
        EXPECT_NE(GetFocus(), control(id));
        SetActiveWindow(window->hwnd());
        EXPECT_TRUE(pump_until(window.get(), [&] { return GetFocus() == control(id); }));
    }
    // Focus given to the main window itself goes on to a control.
    SetFocus(window->hwnd());
    EXPECT_TRUE(pump_until(window.get(), [&] { return GetFocus() != window->hwnd() && GetFocus() != nullptr; }));
}

}  // namespace
}  // namespace kestrava::testing
