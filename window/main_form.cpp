// Kestrava's form: the main window and its eight controls, in form order.
#include "text/gbk.h"
#include "typing/hotkey_routing.h"
#include "typing/input_guards.h"
#include "typing/run_controller.h"
#include "window/form.h"

namespace kestrava {
namespace {

constexpr KindSettings label(TextRef caption, bool word_wrap) {
    KindSettings s;
    s.text = caption;
    s.word_wrap = word_wrap;
    s.h_align = HAlign::left;
    s.v_align = VAlign::centre;
    s.text_colour = 0x000000;  // black
    return s;
}
constexpr KindSettings timer(std::int32_t period) {
    KindSettings s;
    s.period = period;
    return s;
}
constexpr KindSettings button(TextRef caption) {
    KindSettings s;
    s.text = caption;
    s.default_push = false;
    return s;
}
constexpr KindSettings check_box(TextRef caption) {
    KindSettings s;
    s.text = caption;
    return s;
}
constexpr KindSettings edit_box(TextRef content) {
    KindSettings s;
    s.text = content;
    s.multi_line = true;
    s.read_only = false;
    return s;
}
constexpr Bindings on(Event event, Handler handler) { return {Binding{event, handler}}; }

constexpr bool shown = true, hidden = false;
constexpr bool tab = true, no_tab = false;

const Form form{
    // caption, outer width × height, stored left, top, centred, Esc closes, Enter moves focus
    {"Kestrava", 380, 300, 50, 50, true, true, false, on(Event::created, bind<hotkey_setup>)},
    {{
        // id, kind, name, {left, top, width, height}, visible, tab stop, tab index, kind settings, bindings
        {ControlId::标签2, Kind::标签, "标签2", {16, 80, 64, 96}, shown, no_tab, 0,
         label("为保证字数统计的准确性，限制了按回车换行，只要按下回车就马上会自动按下退格", true), {}},
        {ControlId::时钟清除剪辑版, Kind::时钟, "时钟清除剪辑版", {24, 216, 26, 26}, hidden, no_tab, 0,
         timer(1), on(Event::periodic, bind<clipboard_guard>)},
        {ControlId::选择框1, Kind::选择框, "选择框1", {136, 208, 80, 24}, shown, tab, 0,
         check_box("一分钟计时"), on(Event::click, bind<one_minute_lock>)},
        {ControlId::按钮2, Kind::按钮, "按钮2", {288, 48, 64, 24}, shown, tab, 0,
         button("停止 F3"), on(Event::click, bind<stop_action>)},
        {ControlId::按钮1, Kind::按钮, "按钮1", {16, 48, 64, 24}, shown, tab, 0,
         button("开始 F2"), on(Event::click, bind<start_action>)},
        {ControlId::标签1, Kind::标签, "标签1", {88, 24, 192, 16}, shown, no_tab, 0,
         label("0秒", false), on(Event::feedback, bind<hotkey_dispatch>)},
        {ControlId::编辑框1, Kind::编辑框, "编辑框1", {88, 48, 184, 136}, shown, tab, 0,
         edit_box(""), on(Event::key_down, bind<enter_guard>)},
        {ControlId::时钟计时, Kind::时钟, "时钟计时", {24, 184, 26, 26}, hidden, no_tab, 0,
         timer(0), on(Event::periodic, bind<tick>)},
    }},
};

}  // namespace

const Form& main_form() { return form; }

}  // namespace kestrava
