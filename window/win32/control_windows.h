// The two control kinds that are windows of the program's own: the label,
// which keeps a copy of its caption and paints itself, and the timer, a
// child window that owns its platform timer. Edit boxes, buttons and check
// boxes are the system's EDIT and BUTTON controls (main_window.cpp).
#pragma once

#include <windows.h>

#include "text/text.h"
#include "window/events.h"
#include "window/form.h"
#include "window/property_rules.h"

namespace kestrava::win32 {

inline constexpr wchar_t label_class[] = L"KestravaLabel";
inline constexpr wchar_t timer_class[] = L"KestravaTimer";
inline constexpr UINT feedback_message = WM_APP + 0x75;
inline constexpr UINT_PTR timer_id = 1000;

// The main window as its controls see it: where their events go.
class ControlHost {
public:
    virtual bool raise(EventRecord& record) = 0;

protected:
    ~ControlHost() = default;
};

// Registers the label and timer classes once per process.
void register_control_classes(HINSTANCE instance);

// DrawText flags of a label: DT_NOPREFIX always; alignment; word wrap or a
// single line placed by the vertical alignment.
UINT label_draw_flags(const KindSettings& settings);

class LabelWindow {
public:
    LabelWindow(ControlHost& host, const ControlSpec& entry) : host_(&host), entry_(&entry) {}
    LabelWindow(const LabelWindow&) = delete;
    LabelWindow& operator=(const LabelWindow&) = delete;

    static void register_class(HINSTANCE instance);
    // Creates the label hidden at its form place, with the form's caption.
    HWND create(HWND parent, HINSTANCE instance, DWORD style);
    HWND hwnd() const { return hwnd_; }

    // A new copy of the stored caption; absent when it is empty.
    Text caption() const;
    // Stores a copy, sets it as the window text and repaints at the next paint.
    void set_caption(TextRef caption);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void paint();
    LRESULT on_feedback(WPARAM wparam, LPARAM lparam);

    ControlHost* host_;
    const ControlSpec* entry_;
    Text caption_;
    HFONT font_ = nullptr;  // WM_SETFONT's; the default GUI font until then
    HWND hwnd_ = nullptr;
};

class TimerWindow {
public:
    TimerWindow(ControlHost& host, const ControlSpec& entry)
        : host_(&host), entry_(&entry), state_{entry.settings.period, false} {}
    TimerWindow(const TimerWindow&) = delete;
    TimerWindow& operator=(const TimerWindow&) = delete;

    static void register_class(HINSTANCE instance);
    // Creates the (never shown) timer window; a positive form period starts the timer at once.
    HWND create(HWND parent, HINSTANCE instance, DWORD style);
    HWND hwnd() const { return hwnd_; }

    std::int32_t period() const { return state_.period; }
    bool running() const { return state_.running; }
    void write_period(std::int32_t period);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void on_create();
    void on_destroy();

    ControlHost* host_;
    const ControlSpec* entry_;
    TimerState state_;
    HWND hwnd_ = nullptr;
};

}  // namespace kestrava::win32
