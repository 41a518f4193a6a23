// The main window: built from the form, it owns its eight controls, raises
// their events through one dispatcher, pre-processes keys for its message
// loop, and is the Platform the typing test's handlers work with.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "window/dispatcher.h"
#include "window/focus_order.h"
#include "window/form.h"
#include "window/key_rules.h"
#include "window/navigation.h"
#include "window/platform.h"
#include "window/win32/control_windows.h"
#include "window/win32/handles.h"
#include "window/win32/hotkeys.h"

namespace kestrava::win32 {

inline constexpr wchar_t main_window_class[] = L"KestravaMainWindow";

// Which modifier keys are down for the key being pre-processed; GetKeyState by default.
using ModifierReader = ModifierKeys (*)();
ModifierKeys modifiers_from_key_state();

class MainWindow final : public Platform, private ControlHost {
public:
    MainWindow(const Form& form, HINSTANCE instance);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Loads the window from the form: events suppressed, window and controls
    // created hidden, stacked and shown as the form says, the created event
    // raised, then the window shown with the focus in its control. False when
    // the main window could not be created.
    bool load();

    bool exists() const { return hwnd() != nullptr; }
    HWND hwnd() const { return windows_[0]; }
    HWND control_window(ControlId id) const { return windows_[Form::position(id)]; }

    // The message loop's work for one message: key pre-processing, then
    // TranslateMessage and DispatchMessage unless it is withheld.
    void process_message(const MSG& message);
    // True when the key pre-processing withholds the message.
    bool preprocess(const MSG& message);
    // From now on, the destruction of the window posts the quit message.
    void mark_loop_started() { loop_started_ = true; }

    void set_modifier_reader(ModifierReader reader) { read_modifiers_ = reader; }
    const HotkeyFacility& hotkeys() const { return hotkeys_; }

    // Platform
    Text read_text(ControlId control, Property property) override;
    std::int32_t read_int(ControlId control, Property property) override;
    void write_text(ControlId control, Property property, TextRef value) override;
    void write_int(ControlId control, Property property, std::int32_t value) override;
    WindowHandle handle(ControlId control) override;
    std::int32_t register_hotkey(WindowHandle window, WindowHandle target, std::int32_t modifiers,
                                 std::int32_t key_code) override;
    void press_keys(std::int32_t first, std::int32_t second, std::int32_t third) override;
    void clear_clipboard() override;
    std::int32_t message_box(TextRef text, std::int32_t buttons, std::optional<TextRef> caption) override;

private:
    bool raise(EventRecord& record) override;
    ControlHost& host() { return *this; }

    bool create_main_window();
    bool create_controls();
    HWND create_control(const ControlSpec& entry);
    Kind kind_of(ControlId id) const;
    void stack_and_show_controls();
    void focus_from_rule();

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT on_command(WPARAM wparam, LPARAM lparam);
    LRESULT on_activate(WPARAM wparam, LPARAM lparam);
    void on_set_focus();
    void on_destroy();
    void on_nc_destroy();

    std::optional<ControlId> control_of(HWND window) const;
    std::array<FocusCandidate, control_count> focus_candidates() const;
    KeyContext key_context(HWND target) const;
    [[noreturn]] void fault() const;

    const Form* form_;
    HINSTANCE instance_;
    Dispatcher dispatcher_;
    // Indexed by form position, 0 being the main window itself.
    std::array<HWND, control_count + 1> windows_{};
    std::array<bool, control_count + 1> disabled_{};
    std::array<std::optional<LabelWindow>, control_count + 1> labels_;
    std::array<std::optional<TimerWindow>, control_count + 1> timers_;
    UniqueIcon big_icon_, small_icon_;
    HotkeyFacility hotkeys_;
    HWND focus_when_deactivated_ = nullptr;
    ModifierReader read_modifiers_ = modifiers_from_key_state;
    bool loop_started_ = false;
};

// Runs the program's message loop until the quit message; returns its exit code.
int run_message_loop(MainWindow& window);

// The whole program: loads Kestrava's main window and runs the loop. Exit
// code 0 after a normal close, -1 (after an error box) when the window
// cannot be created.
int run_program(HINSTANCE instance);

}  // namespace kestrava::win32
