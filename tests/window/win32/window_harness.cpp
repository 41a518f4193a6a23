#include "tests/window/win32/window_harness.h"

#include <ostream>

namespace kestrava::testing {

void PrintTo(const Seen& seen, std::ostream* os) {
    *os << "{control " << Form::position(seen.control) << ", event " << static_cast<int>(seen.event) << ", "
        << seen.first << ", " << seen.second << "}";
}

std::vector<Seen> Recorder::of(Event event) const {
    std::vector<Seen> found;
    for (const Seen& s : seen)
        if (s.event == event) found.push_back(s);
    return found;
}

Recorder& recorder() {
    static Recorder instance;
    return instance;
}

namespace {

template <ControlId C, Event E>
HandlerResult record(Platform& platform, const EventParams& params) {
    const Seen seen{C, E, params[0], params[1]};
    recorder().seen.push_back(seen);
    if (recorder().respond) return recorder().respond(platform, seen);
    return std::nullopt;
}

// Each control's own event, and key-down for every one of them.
template <ControlId C>
Bindings recording_bindings(Kind kind) {
    Event own = Event::click;
    switch (kind) {
        case Kind::标签: own = Event::feedback; break;
        case Kind::时钟: own = Event::periodic; break;
        case Kind::编辑框: own = Event::key_down; break;
        default: break;
    }
    switch (own) {
        case Event::feedback: return {Binding{Event::feedback, record<C, Event::feedback>}, {Event::key_down, record<C, Event::key_down>}};
        case Event::periodic: return {Binding{Event::periodic, record<C, Event::periodic>}, {Event::key_down, record<C, Event::key_down>}};
        case Event::key_down: return {Binding{Event::key_down, record<C, Event::key_down>}};
        default: return {Binding{Event::click, record<C, Event::click>}, {Event::key_down, record<C, Event::key_down>}};
    }
}

}  // namespace

Form recording_form() {
    Form form = main_form();
    form.window.bindings = {Binding{Event::created, record<ControlId::主窗口, Event::created>},
                            {Event::key_down, record<ControlId::主窗口, Event::key_down>}};
    auto& c = form.controls;
    c[0].bindings = recording_bindings<ControlId::标签2>(c[0].kind);
    c[1].bindings = recording_bindings<ControlId::时钟清除剪辑版>(c[1].kind);
    c[2].bindings = recording_bindings<ControlId::选择框1>(c[2].kind);
    c[3].bindings = recording_bindings<ControlId::按钮2>(c[3].kind);
    c[4].bindings = recording_bindings<ControlId::按钮1>(c[4].kind);
    c[5].bindings = recording_bindings<ControlId::标签1>(c[5].kind);
    c[6].bindings = recording_bindings<ControlId::编辑框1>(c[6].kind);
    c[7].bindings = recording_bindings<ControlId::时钟计时>(c[7].kind);
    return form;
}

bool pump_until(win32::MainWindow* window, const std::function<bool()>& done, DWORD timeout_ms) {
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    for (;;) {
        if (done()) return true;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (window != nullptr && window->exists()) {
                window->process_message(message);
            } else {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            if (done()) return true;
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    }
}

void pump_for(win32::MainWindow* window, DWORD ms) {
    pump_until(window, [] { return false; }, ms);
}

std::wstring text_of(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::string bytes(TextRef text) { return text.absent() ? std::string() : std::string(text.data(), text.size()); }

ModifierKeys held_modifiers;
ModifierKeys read_held_modifiers() { return held_modifiers; }

void WindowTest::SetUp() {
    recorder() = Recorder{};
    held_modifiers = {};
    form = recording_form();
}

void WindowTest::TearDown() {
    window.reset();
    pump_for(nullptr, 10);
    recorder() = Recorder{};
}

void WindowTest::load(const Form& loaded) {
    window = std::make_unique<win32::MainWindow>(loaded, GetModuleHandleW(nullptr));
    window->set_modifier_reader(read_held_modifiers);
    ASSERT_TRUE(window->load());
    SetForegroundWindow(window->hwnd());
    ASSERT_TRUE(pump_until(window.get(), [&] { return GetFocus() == control(ControlId::编辑框1); }))
        << "the typing area never got the focus";
}

void WindowTest::press(HWND target, UINT message, WPARAM key) {
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    const LPARAM lparam = 1 | (static_cast<LPARAM>(scan) << 16) | (message == WM_SYSKEYDOWN ? (1L << 29) : 0);
    PostMessageW(target, message, key, lparam);
    // The key and the WM_CHAR it translates to are handled once the queue is empty.
    pump_until(window.get(), [] {
        MSG m;
        return !PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);
    });
}

}  // namespace kestrava::testing
