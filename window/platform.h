// The one interface through which the typing test's handlers reach the window
// and the operating system: property read, property write and handle query of
// the form's controls, and the four system operations. The Win32 layer
// implements it for the real window; tests implement it with a stand-in.
#pragma once

#include <cstdint>
#include <optional>

#include "text/text.h"

namespace kestrava {

// The main window and its controls, named as the form names them, in form order.
enum class ControlId : std::uint8_t {
    主窗口,
    标签2,
    时钟清除剪辑版,
    选择框1,
    按钮2,
    按钮1,
    标签1,
    编辑框1,
    时钟计时,
};

// Properties a handler reads or writes.
//   caption (标签), content (编辑框): text
//   period (时钟): integer, milliseconds
//   checked (选择框), disabled (every control): logical, read as exactly 0 or 1
enum class Property : std::uint8_t { caption, content, period, checked, disabled };

// A platform window handle (an HWND on Win32), opaque to the handlers.
using WindowHandle = void*;

// Key codes and modifier bits the handlers use.
namespace key {
inline constexpr std::int32_t back = 8;
inline constexpr std::int32_t enter = 13;
inline constexpr std::int32_t f2 = 113;
inline constexpr std::int32_t f3 = 114;
}  // namespace key
namespace modifier {
inline constexpr std::int32_t ctrl = 1;
inline constexpr std::int32_t shift = 2;
inline constexpr std::int32_t alt = 4;
}  // namespace modifier

class Platform {
public:
    virtual ~Platform() = default;

    // Property read: a new text of the caller's, absent when the property is empty.
    virtual Text read_text(ControlId control, Property property) = 0;
    // Property read of an integer or logical property (a logical reads as 0 or 1).
    virtual std::int32_t read_int(ControlId control, Property property) = 0;
    // Property write: the control keeps a copy; an absent text is written as "".
    virtual void write_text(ControlId control, Property property, TextRef value) = 0;
    // Property write of an integer or logical property (a logical takes non-zero as 1).
    virtual void write_int(ControlId control, Property property, std::int32_t value) = 0;
    // Handle query: the platform window of the main window or of a control.
    virtual WindowHandle handle(ControlId control) = 0;

    // Registers a system-wide hotkey on `window` whose presses reach the feedback
    // event of `target` as (id, 0). Ids are 33001, 33002, ... in order of
    // registration, a failed registration using up its id; returns 0 on failure.
    virtual std::int32_t register_hotkey(WindowHandle window, WindowHandle target,
                                         std::int32_t modifiers, std::int32_t key_code) = 0;
    // Presses the keys (0 = none) down in order, then releases them in the same
    // order. The keys arrive behind the key being handled.
    virtual void press_keys(std::int32_t first, std::int32_t second, std::int32_t third) = 0;
    // Empties the system clipboard; does nothing when another program holds it open.
    virtual void clear_clipboard() = 0;
    // Shows a task-modal message box with the caption, or "信息：" when it is
    // omitted; returns when it is closed, with the platform's button id minus 1.
    virtual std::int32_t message_box(TextRef text, std::int32_t buttons,
                                     std::optional<TextRef> caption) = 0;
};

}  // namespace kestrava
