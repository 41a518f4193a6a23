// The form of the main window: its own settings and its controls in form
// order, each with its place, flags, kind settings and event bindings. Loading
// the window (window/win32) builds everything from this data; the dispatcher
// finds handlers through it.
#pragma once

#include <array>
#include <cstdint>
#include <type_traits>

#include "text/text.h"
#include "window/events.h"
#include "window/platform.h"

namespace kestrava {

enum class Kind : std::uint8_t { 窗口, 标签, 编辑框, 按钮, 选择框, 时钟 };

// Labels never take the focus, nor do timers; every other kind can.
constexpr bool takes_focus(Kind kind) { return kind != Kind::标签 && kind != Kind::时钟 && kind != Kind::窗口; }

// A handler as the dispatcher calls it; `bind<F>` adapts the plain handler
// functions of the typing test, which take no parameters or two.
using Handler = HandlerResult (*)(Platform&, const EventParams&);

template <auto F>
HandlerResult bind(Platform& platform, const EventParams& params) {
    if constexpr (std::is_invocable_v<decltype(F), Platform&>) {
        F(platform);
    } else {
        F(platform, params[0], params[1]);
    }
    return std::nullopt;
}

struct Binding {
    Event event;
    Handler handler = nullptr;
};
using Bindings = std::array<Binding, 2>;  // unused entries have no handler

enum class HAlign : std::uint8_t { left, centre, right };
enum class VAlign : std::uint8_t { top, centre, bottom };

// Kind settings; each kind reads the fields that belong to it.
struct KindSettings {
    TextRef text;                      // caption (标签, 按钮, 选择框) or content (编辑框)
    std::int32_t period = 0;           // 时钟, milliseconds
    bool word_wrap = false;            // 标签
    HAlign h_align = HAlign::left;     // 标签
    VAlign v_align = VAlign::centre;   // 标签
    std::uint32_t text_colour = 0;     // 标签, COLORREF
    bool default_push = false;         // 按钮
    bool multi_line = false;           // 编辑框
    bool read_only = false;            // 编辑框
};

struct Place {
    std::int16_t left, top, width, height;
};

struct ControlSpec {
    ControlId id;
    Kind kind;
    TextRef name;
    Place place;
    bool visible;
    bool tab_stop;
    std::int32_t tab_index;
    KindSettings settings;
    Bindings bindings;
    bool disabled = false;
};

struct WindowSpec {
    TextRef caption;
    std::int16_t width, height;       // outer size, frame and title bar included
    std::int16_t stored_left, stored_top;
    bool centred;                     // the start position overrides the stored place
    bool esc_closes;
    bool enter_moves_focus;
    Bindings bindings;
};

inline constexpr std::size_t control_count = 8;

struct Form {
    WindowSpec window;
    std::array<ControlSpec, control_count> controls;  // form order

    // Form position of a control: 标签2 is 1, 时钟计时 is 8 (the child window id).
    static constexpr int position(ControlId id) { return static_cast<int>(id); }
    const ControlSpec& control(ControlId id) const { return controls[position(id) - 1]; }
    ControlSpec& control(ControlId id) { return controls[position(id) - 1]; }
    const Bindings& bindings(ControlId id) const {
        return id == ControlId::主窗口 ? window.bindings : control(id).bindings;
    }
};

// Kestrava's form, with the typing test's handlers bound.
const Form& main_form();

}  // namespace kestrava
