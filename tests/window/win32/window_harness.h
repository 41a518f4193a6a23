// Harness for driving the real main window in-process, in the manner of
// Wine's user32 message tests: handlers that record what they see, a form
// whose events all bind to them, and a bounded message pump that hands every
// message to the program's own message processing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "window/form.h"
#include "window/win32/main_window.h"

namespace kestrava::testing {

// One event as a recording handler saw it.
struct Seen {
    ControlId control;
    Event event;
    std::int32_t first = 0, second = 0;
    bool operator==(const Seen&) const = default;
};
void PrintTo(const Seen& seen, std::ostream* os);

// What the recording handlers write to; `respond` lets a test act inside a
// handler and choose its result (no result when it is not set).
struct Recorder {
    std::vector<Seen> seen;
    std::function<HandlerResult(Platform&, const Seen&)> respond;

    std::vector<Seen> of(Event event) const;
};
Recorder& recorder();

// Kestrava's form with every event of every control bound to a recording
// handler instead of the typing test's handlers.
Form recording_form();

// Pumps messages through `window`'s message processing (or plain dispatch
// when there is none) until `done` holds or `timeout_ms` has passed; returns
// whether `done` held.
bool pump_until(win32::MainWindow* window, const std::function<bool()>& done, DWORD timeout_ms = 3000);
// Pumps for the whole time: for showing that something does not happen.
void pump_for(win32::MainWindow* window, DWORD ms);

// A GBK text as std::string ("" for an absent text).
std::string bytes(TextRef text);
// A window's text as the wide API reports it.
std::wstring text_of(HWND window);

// Modifier keys the pre-processing reads, set by the tests.
extern ModifierKeys held_modifiers;
ModifierKeys read_held_modifiers();

// Loads a main window from a form for one test and destroys it afterwards.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads the window and waits until the typing area has the focus.
    void load(const Form& form);

    HWND control(ControlId id) const { return window->control_window(id); }
    // Posts a key message to `target` as the keyboard would and pumps until
    // the queue has no more messages for the window.
    void press(HWND target, UINT message, WPARAM key);
    void settle() { pump_for(window.get(), 30); }

    Form form;
    std::unique_ptr<win32::MainWindow> window;
};

}  // namespace kestrava::testing
