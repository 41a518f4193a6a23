#include "window/win32/control_windows.h"

#include "window/win32/gbk_wide.h"
#include "window/win32/handles.h"

#include <memory>

namespace kestrava::win32 {
namespace {

// Per-window state lives with the window: the object is handed over in
// CreateWindowEx's parameter and kept in GWLP_USERDATA from WM_NCCREATE on.
template <typename Self>
Self* self_of(HWND window, UINT message, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Self*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        return self;
    }
    return reinterpret_cast<Self*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND create_child(void* self, const wchar_t* window_class, const wchar_t* text, const ControlSpec& entry,
                  HWND parent, HINSTANCE instance, DWORD style) {
    const Place& p = entry.place;
    return CreateWindowExW(0, window_class, text, style, p.left, p.top, p.width, p.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(Form::position(entry.id))), instance,
                           self);
}

// A second registration (another main window in the same process) fails
// harmlessly: the class is already there.
void register_window_class(HINSTANCE instance, const wchar_t* name, UINT style, WNDPROC procedure) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

}  // namespace

void register_control_classes(HINSTANCE instance) {
    LabelWindow::register_class(instance);
    TimerWindow::register_class(instance);
}

UINT label_draw_flags(const KindSettings& s) {
    UINT flags = DT_NOPREFIX;
    if (s.h_align == HAlign::centre) flags |= DT_CENTER;
    if (s.h_align == HAlign::right) flags |= DT_RIGHT;
    if (s.word_wrap) return flags | DT_WORDBREAK | DT_VCENTER;
    flags |= DT_SINGLELINE;
    if (s.v_align == VAlign::centre) flags |= DT_VCENTER;
    if (s.v_align == VAlign::bottom) flags |= DT_BOTTOM;
    return flags;
}

// --- Label -------------------------------------------------------------------

void LabelWindow::register_class(HINSTANCE instance) {
    register_window_class(instance, label_class, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, procedure);
}

HWND LabelWindow::create(HWND parent, HINSTANCE instance, DWORD style) {
    caption_ = Text::copy_of(entry_->settings.text);
    const WideText text(caption_);
    return create_child(this, label_class, text.c_str(), *entry_, parent, instance,
                        style | WS_CHILD | WS_CLIPSIBLINGS);
}

Text LabelWindow::caption() const {
    if (caption_.size() == 0) return Text{};
    return Text::copy_of(caption_);
}

void LabelWindow::set_caption(TextRef caption) {
    caption_ = Text::copy_of(caption.absent() ? TextRef("") : caption);
    SetWindowTextW(hwnd_, WideText(caption_).c_str());
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void LabelWindow::paint() {
    PaintDc dc(hwnd_);
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    const int capacity = GetWindowTextLengthW(hwnd_) + 1;
    if (capacity <= 1) return;
    const auto text = std::make_unique_for_overwrite<wchar_t[]>(static_cast<std::size_t>(capacity));
    const int length = GetWindowTextW(hwnd_, text.get(), capacity);
    SelectedObject font(dc.get(), font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), entry_->settings.text_colour);
    DrawTextW(dc.get(), text.get(), length, &client, label_draw_flags(entry_->settings));
}

LRESULT LabelWindow::on_feedback(WPARAM wparam, LPARAM lparam) {
    EventRecord record{entry_->id, Event::feedback};
    record.params[0] = static_cast<std::int32_t>(wparam);
    record.params[1] = static_cast<std::int32_t>(lparam);
    const bool raised = host_->raise(record);
    return feedback_return(raised, record);
}

LRESULT CALLBACK LabelWindow::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    LabelWindow* self = self_of<LabelWindow>(window, message, lparam);
    if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    switch (message) {
        case WM_NCCREATE:
            self->hwnd_ = window;
            break;
        case WM_PAINT:
            self->paint();
            return 0;
        case feedback_message:
            return self->on_feedback(wparam, lparam);
        case WM_SETFONT:
            self->font_ = reinterpret_cast<HFONT>(wparam);
            if (LOWORD(lparam)) InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(self->font_);
        case WM_NCDESTROY:
            self->hwnd_ = nullptr;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

// --- Timer -------------------------------------------------------------------

void TimerWindow::register_class(HINSTANCE instance) {
    register_window_class(instance, timer_class, 0, procedure);
}

HWND TimerWindow::create(HWND parent, HINSTANCE instance, DWORD style) {
    return create_child(this, timer_class, L"", *entry_, parent, instance, style | WS_CHILD);
}

void TimerWindow::write_period(std::int32_t period) {
    const TimerChange change = kestrava::write_period(state_, period);
    if (change.kill) KillTimer(hwnd_, timer_id);
    if (change.set) SetTimer(hwnd_, timer_id, static_cast<UINT>(change.next.period), nullptr);
    state_ = change.next;
}

void TimerWindow::on_create() {
    if (state_.period > 0) {
        SetTimer(hwnd_, timer_id, static_cast<UINT>(state_.period), nullptr);
        state_.running = true;
    }
}

void TimerWindow::on_destroy() {
    if (state_.running) KillTimer(hwnd_, timer_id);
    state_.running = false;
}

LRESULT CALLBACK TimerWindow::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    TimerWindow* self = self_of<TimerWindow>(window, message, lparam);
    if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    switch (message) {
        case WM_NCCREATE:
            self->hwnd_ = window;
            break;
        case WM_CREATE:
            self->on_create();
            break;
        case WM_TIMER: {
            const LRESULT result = DefWindowProcW(window, message, wparam, lparam);
            EventRecord record{self->entry_->id, Event::periodic};
            self->host_->raise(record);
            return result;
        }
        case WM_DESTROY:
            self->on_destroy();
            break;
        case WM_NCDESTROY:
            self->hwnd_ = nullptr;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace kestrava::win32
