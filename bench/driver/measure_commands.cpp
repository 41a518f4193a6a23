// Timed measurements: start-up against the floor window, the stop action with
// a large text against one GetWindowTextW, and the start/stop helpers that the
// idle measurement of tools/run-bench uses.
#include <algorithm>
#include <cstdio>

#include "bench/driver/commands.h"
#include "bench/driver/target_windows.h"

namespace driver {

namespace {

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2.0;
}

std::wstring format_ms(double ms) {
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"%.3f", ms);
    return buffer;
}

std::wstring join_ms(const std::vector<double>& samples) {
    std::wstring line;
    for (double sample : samples) line += L" " + format_ms(sample);
    return line;
}

unsigned long to_number(const std::wstring& word, const wchar_t* what) {
    wchar_t* end = nullptr;
    unsigned long value = std::wcstoul(word.c_str(), &end, 10);
    if (word.empty() || *end != L'\0') fail(std::wstring(L"not a number for ") + what + L": " + word);
    return value;
}

enum class Program { floor, kestrava };

// Starts the program and returns the milliseconds from CreateProcess until its
// window is shown with the focus where it belongs; closes it again afterwards.
double timed_start(const std::wstring& exe, Program program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring command_line = L"\"" + exe + L"\"";
    const double started = now_ms();
    if (!CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        fail(L"cannot start " + exe + L" (error " + std::to_wstring(GetLastError()) + L")");
    }
    UniqueHandle process(info.hProcess);
    UniqueHandle thread(info.hThread);

    HWND window = nullptr;
    const bool ready = poll_until(
        [&] {
            const wchar_t* class_name = program == Program::kestrava ? main_class : floor_class;
            for (HWND candidate : top_level_windows(class_name, info.dwProcessId)) {
                if (program == Program::kestrava ? kestrava_ready(candidate)
                                                 : floor_ready(candidate)) {
                    window = candidate;
                    return true;
                }
            }
            return false;
        },
        30000);
    const double elapsed = now_ms() - started;
    if (!ready) {
        TerminateProcess(process.get(), 1);
        fail(exe + L" did not show its window with the focus in place within 30 s");
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), 15000) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        fail(exe + L" did not end within 15 s of WM_CLOSE");
    }
    return elapsed;
}

}  // namespace

// startup RUNS FLOOR_EXE KESTRAVA_EXE: warm starts of both, interleaved so
// that a busy moment of the machine hits both alike; the first of each is a
// warm-up and not counted.
int startup_command(const Args& args) {
    if (args.size() != 3) fail(L"usage: startup RUNS FLOOR_EXE KESTRAVA_EXE");
    const unsigned long runs = to_number(args[0], L"RUNS");
    std::vector<double> floor_samples;
    std::vector<double> kestrava_samples;
    timed_start(args[1], Program::floor);
    timed_start(args[2], Program::kestrava);
    for (unsigned long i = 0; i < runs; ++i) {
        floor_samples.push_back(timed_start(args[1], Program::floor));
        kestrava_samples.push_back(timed_start(args[2], Program::kestrava));
    }
    print(L"floor samples:" + join_ms(floor_samples));
    print(L"kestrava samples:" + join_ms(kestrava_samples));
    print(L"startup floor_ms=" + format_ms(median(floor_samples)) +
          L" kestrava_ms=" + format_ms(median(kestrava_samples)));
    return 0;
}

namespace {

// The driver's own multi-line edit box, styled like 编辑框1, holding `text`.
class LocalEdit {
public:
    explicit LocalEdit(const std::wstring& text) {
        parent_ = CreateWindowExW(0, L"STATIC", L"driver", WS_OVERLAPPED, 0, 0, 380, 300,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE |
                                    ES_AUTOVSCROLL | ES_WANTRETURN,
                                88, 48, 184, 136, parent_, nullptr, GetModuleHandleW(nullptr),
                                nullptr);
        if (!edit_) fail(L"cannot create the driver's own edit box");
        SendMessageW(edit_, EM_LIMITTEXT, 0, 0);
        SetWindowTextW(edit_, text.c_str());
    }
    ~LocalEdit() { DestroyWindow(parent_); }
    LocalEdit(const LocalEdit&) = delete;
    LocalEdit& operator=(const LocalEdit&) = delete;
    HWND edit() const { return edit_; }

private:
    HWND parent_ = nullptr;
    HWND edit_ = nullptr;
};

// One GetWindowTextW of the whole text, in the process that owns the edit box.
double timed_get_window_text(HWND edit, std::size_t length) {
    std::wstring buffer(length + 1, L'\0');
    const double started = now_ms();
    const int copied = GetWindowTextW(edit, buffer.data(), static_cast<int>(buffer.size()));
    const double elapsed = now_ms() - started;
    if (static_cast<std::size_t>(copied) != length) {
        fail(L"GetWindowTextW copied " + std::to_wstring(copied) + L" characters, expected " +
             std::to_wstring(length));
    }
    return elapsed;
}

// The stop action through the F3 path (WM_HOTKEY with the F3 hotkey id, posted
// to the main window): milliseconds until the result box is visible. Checks
// the reported count, closes the box and waits until 编辑框1 is emptied.
double timed_stop(HWND main, DWORD pid, std::size_t expected_bytes) {
    if (!result_boxes(pid).empty()) fail(L"a result box is already open before the stop");
    const double started = now_ms();
    PostMessageW(main, WM_HOTKEY, f3_hotkey_id, MAKELPARAM(0, VK_F3));
    HWND box = nullptr;
    if (!poll_until([&] { return (box = visible_result_box(pid)) != nullptr; }, 60000)) {
        fail(L"no result box within 60 s of the stop");
    }
    const double elapsed = now_ms() - started;

    const std::wstring text = box_text(box);
    const std::wstring count = L"，共计打了" + half_count_text(expected_bytes) + L"个汉字";
    if (text.size() < count.size() || text.compare(text.size() - count.size(), count.size(), count) != 0) {
        fail(L"the result box says \"" + text + L"\", expected it to end in \"" + count + L"\"");
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    HWND edit = GetDlgItem(main, control::edit1);
    if (!poll_until([&] { return result_boxes(pid).empty() && window_text_length(edit) == 0; },
                    30000)) {
        fail(L"the result box did not close or 编辑框1 was not emptied within 30 s");
    }
    return elapsed;
}

// The GBK bytes of a text, as the stop action has to count them.
double timed_gbk_conversion(const std::wstring& text, std::size_t expected_bytes) {
    std::string gbk(expected_bytes, '\0');
    const double started = now_ms();
    const int bytes = WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()),
                                          gbk.data(), static_cast<int>(gbk.size()), nullptr, nullptr);
    const double elapsed = now_ms() - started;
    if (static_cast<std::size_t>(bytes) != expected_bytes) {
        fail(L"the text is " + std::to_wstring(bytes) + L" bytes in GBK, expected " +
             std::to_wstring(expected_bytes));
    }
    return elapsed;
}

}  // namespace

// stop-cost RUNS [BYTES]: with Kestrava running, fills 编辑框1 with BYTES of
// Chinese text (default 1 MiB in GBK) and times the stop action up to the
// result box; the baseline is one GetWindowTextW of the same text from an edit
// box in this process. For the profile it also times the stop with an empty
// 编辑框1 (what the box itself costs) and one conversion of the text to GBK.
int stop_cost_command(const Args& args) {
    if (args.empty() || args.size() > 2) fail(L"usage: stop-cost RUNS [BYTES]");
    const unsigned long runs = to_number(args[0], L"RUNS");
    const std::size_t bytes = args.size() > 1 ? to_number(args[1], L"BYTES") : 1024 * 1024;
    const std::wstring text = lines_of_text(bytes);

    HWND main = target_main();
    const DWORD pid = window_pid(main);
    HWND edit = GetDlgItem(main, control::edit1);
    UniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid));

    std::vector<double> read_samples;
    std::vector<double> gbk_samples;
    {
        LocalEdit local(text);
        timed_get_window_text(local.edit(), text.size());
        for (unsigned long i = 0; i < runs; ++i) {
            read_samples.push_back(timed_get_window_text(local.edit(), text.size()));
            gbk_samples.push_back(timed_gbk_conversion(text, bytes));
        }
    }

    std::vector<double> empty_samples;
    std::vector<double> full_samples;
    std::vector<double> fill_samples;
    set_window_text(edit, L"");
    timed_stop(main, pid, 0);
    for (unsigned long i = 0; i < runs; ++i) {
        WaitForInputIdle(process.get(), 10000);
        empty_samples.push_back(timed_stop(main, pid, 0));

        const double fill_started = now_ms();
        if (!set_window_text(edit, text) || window_text_length(edit) != text.size()) {
            fail(L"could not put " + std::to_wstring(text.size()) + L" characters into 编辑框1");
        }
        fill_samples.push_back(now_ms() - fill_started);
        WaitForInputIdle(process.get(), 10000);
        full_samples.push_back(timed_stop(main, pid, bytes));
    }
    print(L"getwindowtext samples:" + join_ms(read_samples));
    print(L"gbk conversion samples:" + join_ms(gbk_samples));
    print(L"stop samples:" + join_ms(full_samples));
    print(L"empty stop samples:" + join_ms(empty_samples));
    print(L"fill samples:" + join_ms(fill_samples));
    print(L"stop getwindowtext_ms=" + format_ms(median(read_samples)) +
          L" gbk_ms=" + format_ms(median(gbk_samples)) +
          L" stop_ms=" + format_ms(median(full_samples)) +
          L" empty_stop_ms=" + format_ms(median(empty_samples)) +
          L" fill_ms=" + format_ms(median(fill_samples)));
    return 0;
}

// wait-ready COUNT TIMEOUT_MS: waits until COUNT Kestrava main windows are on
// screen, the active one with the focus in 编辑框1; prints "ready PID HWND" for
// each.
int wait_ready_command(const Args& args) {
    if (args.size() != 2) fail(L"usage: wait-ready COUNT TIMEOUT_MS");
    const std::size_t count = to_number(args[0], L"COUNT");
    std::vector<HWND> ready;
    const bool done = poll_until(
        [&] {
            ready.clear();
            // The focus belongs to the active window's thread only: an older
            // instance that a newer one has deactivated counts once it is shown.
            bool active_ready = false;
            for (HWND window : top_level_windows(main_class)) {
                if (kestrava_ready(window)) {
                    active_ready = true;
                    ready.push_back(window);
                } else if (IsWindowVisible(window) && GetForegroundWindow() != window) {
                    ready.push_back(window);
                }
            }
            if (!active_ready) ready.clear();
            return ready.size() >= count;
        },
        to_number(args[1], L"TIMEOUT_MS"), 10);
    if (!done) {
        fail(std::to_wstring(ready.size()) + L" of " + std::to_wstring(count) +
             L" Kestrava windows shown with the focus in 编辑框1 in time");
    }
    for (HWND window : ready) {
        wchar_t handle[32];
        std::swprintf(handle, 32, L"%p", static_cast<void*>(window));
        print(L"ready " + std::to_wstring(window_pid(window)) + L" " + handle);
    }
    return 0;
}

// wait-floor TIMEOUT_MS: waits until a floor window is shown and active.
int wait_floor_command(const Args& args) {
    if (args.size() != 1) fail(L"usage: wait-floor TIMEOUT_MS");
    const bool done = poll_until(
        [] {
            for (HWND window : top_level_windows(floor_class)) {
                if (floor_ready(window)) return true;
            }
            return false;
        },
        to_number(args[0], L"TIMEOUT_MS"), 10);
    if (!done) fail(L"no floor window shown in time");
    print(L"floor ready");
    return 0;
}

// close: closes the target Kestrava (--pid) or every Kestrava and floor
// window, and waits for their processes to end.
int close_command(const Args& args) {
    if (!args.empty()) fail(L"usage: close");
    std::vector<HWND> windows;
    if (target_pid() != 0) {
        windows.push_back(target_main());
    } else {
        windows = top_level_windows(main_class);
        for (HWND floor : top_level_windows(floor_class)) windows.push_back(floor);
    }
    for (HWND window : windows) {
        if (!close_and_wait(window, 15000)) fail(L"a window did not close within 15 s");
    }
    print(L"closed " + std::to_wstring(windows.size()));
    return 0;
}

}  // namespace driver
