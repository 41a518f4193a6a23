#include "window/win32/main_window.h"

#include "window/navigation.h"
#include "window/property_rules.h"
#include "window/win32/gbk_wide.h"
#include "window/win32/paste_guard.h"
#include "window/win32/system_operations.h"

namespace kestrava::win32 {
namespace {

constexpr DWORD main_window_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr WORD icon_resource = 1;

HFONT default_gui_font() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void register_main_window_class(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = main_window_class;
    RegisterClassExW(&wc);  // already registered by an earlier main window: fine
}

HICON load_icon(HINSTANCE instance, int size_metric) {
    const int size = GetSystemMetrics(size_metric);
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(icon_resource), IMAGE_ICON, size, size, 0));
}

bool is_default_push_button(HWND button) {
    return (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// Window style of each control kind, from its form settings.
DWORD kind_style(const ControlSpec& entry) {
    const KindSettings& s = entry.settings;
    switch (entry.kind) {
        case Kind::编辑框:
            return WS_VSCROLL | ES_AUTOVSCROLL | ES_LEFT | (s.multi_line ? ES_MULTILINE | ES_WANTRETURN : 0) |
                   (s.read_only ? ES_READONLY : 0);
        case Kind::按钮:
            return (s.default_push ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_CENTER | BS_VCENTER | BS_MULTILINE;
        case Kind::选择框:
            return BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | BS_MULTILINE;
        default:
            return 0;
    }
}

}  // namespace

ModifierKeys modifiers_from_key_state() {
    return {GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0};
}

MainWindow::MainWindow(const Form& form, HINSTANCE instance)
    : form_(&form), instance_(instance), dispatcher_(form) {}

MainWindow::~MainWindow() {
    if (exists()) DestroyWindow(hwnd());
}

// --- Loading -------------------------------------------------------------------

bool MainWindow::load() {
    register_main_window_class(instance_, procedure);
    register_control_classes(instance_);

    dispatcher_.suppress();
    const bool created = create_main_window() && create_controls();
    if (created) stack_and_show_controls();
    dispatcher_.release();
    if (!created) return false;

    EventRecord record{ControlId::主窗口, Event::created};
    raise(record);
    if (exists()) ShowWindow(hwnd(), SW_SHOW);  // activation puts the focus in a control
    return true;
}

bool MainWindow::create_main_window() {
    const WindowSpec& w = form_->window;
    int left = w.stored_left, top = w.stored_top;
    if (w.centred) {
        left = (GetSystemMetrics(SM_CXSCREEN) - w.width) / 2;
        top = (GetSystemMetrics(SM_CYSCREEN) - w.height) / 2;
    }
    CreateWindowExW(0, main_window_class, WideText(w.caption).c_str(), main_window_style, left, top, w.width,
                    w.height, nullptr, nullptr, instance_, this);
    if (!exists()) return false;

    RECT outer;
    GetWindowRect(hwnd(), &outer);
    if (outer.right - outer.left != w.width || outer.bottom - outer.top != w.height)
        SetWindowPos(hwnd(), nullptr, left, top, w.width, w.height, SWP_NOZORDER | SWP_NOACTIVATE);

    big_icon_.reset(load_icon(instance_, SM_CXICON));
    small_icon_.reset(load_icon(instance_, SM_CXSMICON));
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_.get()));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.get()));
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(default_gui_font()), FALSE);
    return true;
}

bool MainWindow::create_controls() {
    for (auto entry = form_->controls.rbegin(); entry != form_->controls.rend(); ++entry) {
        const HWND control = create_control(*entry);
        if (control == nullptr) return false;
        windows_[Form::position(entry->id)] = control;
        disabled_[Form::position(entry->id)] = entry->disabled;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(default_gui_font()), FALSE);
    }
    return true;
}

HWND MainWindow::create_control(const ControlSpec& entry) {
    const int at = Form::position(entry.id);
    const DWORD style = WS_CHILD | (entry.tab_stop ? WS_TABSTOP : 0) | (entry.disabled ? WS_DISABLED : 0) |
                        kind_style(entry);
    switch (entry.kind) {
        case Kind::标签:
            return labels_[at].emplace(host(), entry).create(hwnd(), instance_, style);
        case Kind::时钟:
            return timers_[at].emplace(host(), entry).create(hwnd(), instance_, style);
        default:
            break;
    }
    const bool edit = entry.kind == Kind::编辑框;
    const Place& p = entry.place;
    const HWND control = CreateWindowExW(edit ? WS_EX_CLIENTEDGE : 0, edit ? L"EDIT" : L"BUTTON",
                                         WideText(entry.settings.text).c_str(), style, p.left, p.top, p.width,
                                         p.height, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(at)),
                                         instance_, nullptr);
    if (control && edit) {
        SendMessageW(control, EM_LIMITTEXT, 0, 0);
        SendMessageW(control, EM_SETSEL, 0, 0);
        refuse_pastes(control);
    }
    return control;
}

// Stacked in form order, 标签2 on top; shown without activation.
void MainWindow::stack_and_show_controls() {
    HWND above = HWND_TOP;
    for (const ControlSpec& entry : form_->controls) {
        const HWND control = control_window(entry.id);
        SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = control;
    }
    for (const ControlSpec& entry : form_->controls) {
        const bool visible = entry.visible && entry.kind != Kind::时钟;
        ShowWindow(control_window(entry.id), visible ? SW_SHOWNA : SW_HIDE);
    }
}

// --- Focus ---------------------------------------------------------------------

std::array<FocusCandidate, control_count> MainWindow::focus_candidates() const {
    std::array<FocusCandidate, control_count> candidates{};
    for (std::size_t i = 0; i < control_count; ++i) {
        const ControlSpec& entry = form_->controls[i];
        const HWND control = control_window(entry.id);
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        candidates[i] = {entry.id, entry.kind, (style & WS_VISIBLE) != 0, IsWindowEnabled(control) != FALSE,
                         (style & WS_TABSTOP) != 0, entry.tab_index};
    }
    return candidates;
}

void MainWindow::focus_from_rule() {
    std::optional<ControlId> remembered;
    if (focus_when_deactivated_ && IsWindow(focus_when_deactivated_)) remembered = control_of(focus_when_deactivated_);
    if (remembered == ControlId::主窗口) remembered.reset();
    const auto candidates = focus_candidates();
    const std::optional<ControlId> target = focus_on_activation(remembered, focus_order(candidates));
    SetFocus(target ? control_window(*target) : hwnd());
}

// --- Messages ------------------------------------------------------------------

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->windows_[0] = window;
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    switch (message) {
        case WM_COMMAND:
            return self->on_command(wparam, lparam);
        case WM_ACTIVATE:
            return self->on_activate(wparam, lparam);
        case WM_SETFOCUS:
            self->on_set_focus();
            return 0;
        case WM_DESTROY:
            self->on_destroy();
            return 0;
        case WM_NCDESTROY:
            self->on_nc_destroy();
            break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

// BN_CLICKED comes to the window; it is handed back to the button that sent it.
LRESULT MainWindow::on_command(WPARAM wparam, LPARAM lparam) {
    const auto sender = reinterpret_cast<HWND>(lparam);
    if (sender == nullptr || HIWORD(wparam) != BN_CLICKED) return 0;
    const std::optional<ControlId> control = control_of(sender);
    if (!control) return 0;
    const Kind kind = kind_of(*control);
    if (kind != Kind::按钮 && kind != Kind::选择框) return 0;
    EventRecord record{*control, Event::click};
    raise(record);
    return 0;
}

LRESULT MainWindow::on_activate(WPARAM wparam, LPARAM) {
    if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        focus_when_deactivated_ = focus && IsChild(hwnd(), focus) ? focus : nullptr;
        return 0;
    }
    if (HIWORD(wparam) == 0) focus_from_rule();  // not minimised
    return 0;
}

void MainWindow::on_set_focus() { focus_from_rule(); }

void MainWindow::on_destroy() {
    if (loop_started_) PostQuitMessage(0);
}

void MainWindow::on_nc_destroy() {
    SetWindowLongPtrW(hwnd(), GWLP_USERDATA, 0);
    windows_.fill(nullptr);
    focus_when_deactivated_ = nullptr;
}

// --- Key pre-processing ----------------------------------------------------------

std::optional<ControlId> MainWindow::control_of(HWND window) const {
    if (window == nullptr) return std::nullopt;
    for (std::size_t at = 0; at < windows_.size(); ++at) {
        if (windows_[at] == window) return static_cast<ControlId>(at);
    }
    return std::nullopt;
}

Kind MainWindow::kind_of(ControlId id) const {
    return id == ControlId::主窗口 ? Kind::窗口 : form_->control(id).kind;
}

KeyContext MainWindow::key_context(HWND target) const {
    KeyContext context;
    context.target_enabled = IsWindowEnabled(target) != FALSE;
    const HWND focus = GetFocus();
    context.focused = control_of(focus);
    if (context.focused == ControlId::主窗口) context.focused.reset();
    if (context.focused) {
        const LONG style = GetWindowLongW(focus, GWL_STYLE);
        switch (kind_of(*context.focused)) {
            case Kind::编辑框:
                context.focus_claims_plain_enter = (style & ES_MULTILINE) && !(style & ES_READONLY);
                break;
            case Kind::按钮:
                context.focus_is_default_button = is_default_push_button(focus) && IsWindowEnabled(focus);
                break;
            default:
                break;
        }
    }
    for (const ControlSpec& entry : form_->controls) {
        const HWND control = control_window(entry.id);
        if (entry.kind == Kind::按钮 && is_default_push_button(control) && IsWindowEnabled(control)) {
            context.first_default_button = entry.id;
            break;
        }
    }
    context.enter_moves_focus = form_->window.enter_moves_focus;
    context.esc_closes = form_->window.esc_closes;
    return context;
}

bool MainWindow::preprocess(const MSG& message) {
    if (!exists() || message.hwnd == nullptr) return false;
    // Only key-downs are looked at: every other message (a WM_TIMER comes 100
    // times a second) goes on without a word to the server.
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)) return false;

    const KeyDecision decision = decide_key(message.message, static_cast<std::int32_t>(message.wParam),
                                            read_modifiers_(), key_context(message.hwnd));
    bool withheld = true;
    switch (decision.action) {
        case KeyAction::leave:
            withheld = false;
            break;
        case KeyAction::raise_key_down: {
            // Only the window itself and its controls have key-down events.
            const std::optional<ControlId> target = control_of(message.hwnd);
            withheld = false;
            if (target) {
                EventRecord record{*target, Event::key_down};
                record.params[0] = decision.key_code;
                record.params[1] = decision.modifiers;
                withheld = withholds_key(raise(record), record);
            }
            break;
        }
        case KeyAction::focus_next:
        case KeyAction::focus_previous: {
            const auto candidates = focus_candidates();
            std::optional<ControlId> focused = control_of(GetFocus());
            const std::optional<ControlId> next =
                step_focus(focus_order(candidates), focused, decision.action == KeyAction::focus_next);
            if (next) SetFocus(control_window(*next));
            break;
        }
        case KeyAction::click: {
            EventRecord record{decision.target, Event::click};
            raise(record);
            break;
        }
        case KeyAction::close:
            SendMessageW(hwnd(), WM_CLOSE, 0, 0);
            break;
    }
    return withheld || !exists();
}

void MainWindow::process_message(const MSG& message) {
    if (preprocess(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool MainWindow::raise(EventRecord& record) { return dispatcher_.raise(*this, record); }

// --- Platform: control properties ------------------------------------------------

// A property asked of a control that does not have it: a fault in the program.
void MainWindow::fault() const {
    FatalAppExitW(0, L"Kestrava: a property was asked of a control that does not have it.");
    ExitProcess(static_cast<UINT>(-1));
}

Text MainWindow::read_text(ControlId control, Property property) {
    const Kind kind = kind_of(control);
    const int at = Form::position(control);
    if (property == Property::caption && kind == Kind::标签) return labels_[at]->caption();
    if (property == Property::caption && (kind == Kind::窗口 || kind == Kind::按钮 || kind == Kind::选择框))
        return window_text(control_window(control));
    if (property == Property::content && kind == Kind::编辑框) return window_text(control_window(control));
    fault();
}

std::int32_t MainWindow::read_int(ControlId control, Property property) {
    const Kind kind = kind_of(control);
    const int at = Form::position(control);
    if (property == Property::period && kind == Kind::时钟) return timers_[at]->period();
    if (property == Property::checked && kind == Kind::选择框)
        return SendMessageW(control_window(control), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    if (property == Property::disabled) return logical_read(disabled_[at] ? 1 : 0);
    fault();
}

void MainWindow::write_text(ControlId control, Property property, TextRef value) {
    const Kind kind = kind_of(control);
    const int at = Form::position(control);
    if (property == Property::caption && kind == Kind::标签) return labels_[at]->set_caption(value);
    const bool caption = property == Property::caption && (kind == Kind::窗口 || kind == Kind::按钮 || kind == Kind::选择框);
    const bool content = property == Property::content && kind == Kind::编辑框;
    if (!caption && !content) fault();
    SetWindowTextW(control_window(control), WideText(value).c_str());
}

void MainWindow::write_int(ControlId control, Property property, std::int32_t value) {
    const Kind kind = kind_of(control);
    const int at = Form::position(control);
    if (property == Property::period && kind == Kind::时钟) return timers_[at]->write_period(value);
    if (property == Property::checked && kind == Kind::选择框) {
        SendMessageW(control_window(control), BM_SETCHECK, logical_written(value) ? BST_CHECKED : BST_UNCHECKED, 0);
        return;
    }
    if (property != Property::disabled) fault();
    disabled_[at] = logical_written(value) == 1;
    EnableWindow(control_window(control), !disabled_[at]);
}

WindowHandle MainWindow::handle(ControlId control) { return control_window(control); }

// --- Platform: system operations -------------------------------------------------

std::int32_t MainWindow::register_hotkey(WindowHandle window, WindowHandle target, std::int32_t modifiers,
                                         std::int32_t key_code) {
    return hotkeys_.register_hotkey(static_cast<HWND>(window), static_cast<HWND>(target), modifiers, key_code);
}

void MainWindow::press_keys(std::int32_t first, std::int32_t second, std::int32_t third) {
    win32::press_keys(first, second, third);
}

void MainWindow::clear_clipboard() { win32::clear_clipboard(); }

std::int32_t MainWindow::message_box(TextRef text, std::int32_t buttons, std::optional<TextRef> caption) {
    return win32::message_box(text, buttons, caption);
}

// --- The program -----------------------------------------------------------------

int run_message_loop(MainWindow& window) {
    window.mark_loop_started();
    if (!window.exists()) return 0;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) window.process_message(message);
    return static_cast<int>(message.wParam);
}

int run_program(HINSTANCE instance) {
    MainWindow window(main_form(), instance);
    if (!window.load()) {
        MessageBoxW(nullptr, L"无法创建主窗口，程序结束。", L"Kestrava", MB_OK | MB_ICONERROR | MB_TASKMODAL);
        return -1;
    }
    return run_message_loop(window);
}

}  // namespace kestrava::win32
