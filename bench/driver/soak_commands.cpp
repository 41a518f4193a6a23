// Driving a running Kestrava from outside for the soak and fault tests: posting
// the user's actions through its message loop, reading its controls and result
// boxes, checking whole runs, and watching memory and handles over many runs.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "bench/driver/commands.h"
#include "bench/driver/target_windows.h"

#include <psapi.h>

namespace driver {

namespace {

unsigned long number_arg(const std::wstring& word, const wchar_t* what) {
    wchar_t* end = nullptr;
    unsigned long value = std::wcstoul(word.c_str(), &end, 10);
    if (word.empty() || *end != L'\0') fail(std::wstring(L"not a number for ") + what + L": " + word);
    return value;
}

void post_stop(HWND main, bool by_button) {
    if (by_button) {
        PostMessageW(GetDlgItem(main, control::button2), BM_CLICK, 0, 0);
    } else {
        PostMessageW(main, WM_HOTKEY, f3_hotkey_id, MAKELPARAM(0, VK_F3));
    }
}

void post_start(HWND main, bool by_button) {
    if (by_button) {
        PostMessageW(GetDlgItem(main, control::button1), BM_CLICK, 0, 0);
    } else {
        PostMessageW(main, WM_HOTKEY, f2_hotkey_id, MAKELPARAM(0, VK_F2));
    }
}

HWND wait_for_box(DWORD pid, double timeout_ms, const std::wstring& after) {
    HWND box = nullptr;
    if (!poll_until([&] { return (box = visible_result_box(pid)) != nullptr; }, timeout_ms)) {
        fail(L"no result box within " + std::to_wstring(static_cast<int>(timeout_ms)) +
             L" ms after " + after);
    }
    return box;
}

void close_box_and_wait_emptied(HWND main, HWND box) {
    const DWORD pid = window_pid(main);
    HWND edit = GetDlgItem(main, control::edit1);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    if (!poll_until([&] { return result_boxes(pid).empty() && window_text_length(edit) == 0; },
                    10000)) {
        fail(L"after closing the result box: " + std::to_wstring(result_boxes(pid).size()) +
             L" boxes still open, 编辑框1 holds " + std::to_wstring(window_text_length(edit)) +
             L" characters (expected none of either within 10 s)");
    }
}

std::wstring hex(HWND window) {
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"%p", static_cast<void*>(window));
    return buffer;
}

// 编辑框1's expected content for fill/wait-fill: CHARS Chinese characters with
// an optional ASCII character inserted at a position.
std::wstring fill_text(const Args& args, std::size_t first) {
    std::wstring text = chinese_text(number_arg(args.at(first), L"CHARS"));
    if (args.size() >= first + 3) {
        const std::size_t at = std::min<std::size_t>(number_arg(args[first + 1], L"POS"), text.size());
        text.insert(at, 1, args[first + 2].at(0));
    }
    return text;
}

}  // namespace

// list: one line per Kestrava main window: PID HWND ready|not-ready BOXES.
int list_command(const Args&) {
    for (HWND window : top_level_windows(main_class)) {
        print(std::to_wstring(window_pid(window)) + L" " + hex(window) +
              (kestrava_ready(window) ? L" ready " : L" not-ready ") +
              std::to_wstring(result_boxes(window_pid(window)).size()));
    }
    return 0;
}

// text ID: prints the text of the control with child id ID (0: the main window).
int text_command(const Args& args) {
    if (args.size() != 1) fail(L"usage: text ID");
    const unsigned long id = number_arg(args[0], L"ID");
    print(window_text(id == 0 ? target_main() : target_control(static_cast<int>(id))));
    return 0;
}

// fill CHARS CARET: puts CHARS Chinese characters into 编辑框1 and the caret at
// CARET.
int fill_command(const Args& args) {
    if (args.size() != 2) fail(L"usage: fill CHARS CARET");
    HWND edit = target_control(control::edit1);
    const std::wstring text = fill_text(args, 0);
    if (!set_window_text(edit, text)) fail(L"WM_SETTEXT into 编辑框1 failed");
    const unsigned long caret = number_arg(args[1], L"CARET");
    PostMessageW(edit, EM_SETSEL, caret, caret);
    return 0;
}

// wait-fill TIMEOUT_MS CHARS [POS CHAR]: waits until 编辑框1 holds exactly what
// fill CHARS put there, with CHAR inserted at POS when given, for 500 ms.
int wait_fill_command(const Args& args) {
    if (args.size() != 2 && args.size() != 4) fail(L"usage: wait-fill TIMEOUT_MS CHARS [POS CHAR]");
    HWND edit = target_control(control::edit1);
    const std::wstring expected = fill_text(args, 1);
    // Keys still queued would change the text again: it has to stay as
    // expected for half a second.
    std::wstring seen;
    double matched_since = -1;
    if (poll_until(
            [&] {
                if ((seen = window_text(edit)) != expected) {
                    matched_since = -1;
                    return false;
                }
                if (matched_since < 0) matched_since = now_ms();
                return now_ms() - matched_since >= 500;
            },
            number_arg(args[0], L"TIMEOUT_MS"), 20)) {
        return 0;
    }
    const auto mismatch = std::mismatch(seen.begin(), seen.end(), expected.begin(), expected.end());
    const std::size_t at = static_cast<std::size_t>(mismatch.first - seen.begin());
    std::wstring near_seen = seen.substr(at, 8);
    for (wchar_t& c : near_seen) {
        if (c == L'\r') c = L'R';
        if (c == L'\n') c = L'N';
    }
    fail(L"编辑框1 holds " + std::to_wstring(seen.size()) + L" characters, expected " +
         std::to_wstring(expected.size()) + L"; first difference at " + std::to_wstring(at) +
         L" (seen there: \"" + near_seen + L"\", CR/LF shown as R/N)");
}

// focus: succeeds when the keyboard focus of Kestrava's thread is in 编辑框1.
int focus_command(const Args&) {
    HWND main = target_main();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
    if (info.hwndFocus != GetDlgItem(main, control::edit1)) {
        fail(L"the focus is not in 编辑框1 (focus window " + hex(info.hwndFocus) + L", id " +
             std::to_wstring(GetDlgCtrlID(info.hwndFocus)) + L")");
    }
    print(L"focus in 编辑框1");
    return 0;
}

// click ID: posts BM_CLICK to the button with child id ID.
int click_command(const Args& args) {
    if (args.size() != 1) fail(L"usage: click ID");
    PostMessageW(target_control(static_cast<int>(number_arg(args[0], L"ID"))), BM_CLICK, 0, 0);
    return 0;
}

// hotkey F2|F3: posts WM_HOTKEY with that key's hotkey id to the main window.
int hotkey_command(const Args& args) {
    if (args.size() != 1 || (args[0] != L"F2" && args[0] != L"F3")) fail(L"usage: hotkey F2|F3");
    HWND main = target_main();
    if (args[0] == L"F2") {
        post_start(main, false);
    } else {
        post_stop(main, false);
    }
    return 0;
}

// wait-label TIMEOUT_MS SECONDS: waits until 标签1 shows SECONDS followed by 秒.
int wait_label_command(const Args& args) {
    if (args.size() != 2) fail(L"usage: wait-label TIMEOUT_MS SECONDS");
    HWND label = target_control(control::label1);
    const std::wstring expected = std::to_wstring(number_arg(args[1], L"SECONDS")) + L"秒";
    std::wstring seen;
    if (!poll_until([&] { return (seen = window_text(label)) == expected; },
                    number_arg(args[0], L"TIMEOUT_MS"), 10)) {
        fail(L"标签1 shows \"" + seen + L"\", expected \"" + expected + L"\"");
    }
    return 0;
}

// boxes: prints how many result boxes the target has open.
int boxes_command(const Args&) {
    print(std::to_wstring(result_boxes(window_pid(target_main())).size()));
    return 0;
}

// close-boxes TIMEOUT_MS: closes every result box of the target (nested boxes
// close from the innermost out) and prints how many there were.
int close_boxes_command(const Args& args) {
    if (args.size() != 1) fail(L"usage: close-boxes TIMEOUT_MS");
    const DWORD pid = window_pid(target_main());
    std::vector<HWND> seen;
    const bool closed = poll_until(
        [&] {
            std::vector<HWND> open = result_boxes(pid);
            for (HWND box : open) {
                if (std::find(seen.begin(), seen.end(), box) == seen.end()) seen.push_back(box);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
            return open.empty();
        },
        number_arg(args[0], L"TIMEOUT_MS"), 20);
    if (!closed) {
        fail(std::to_wstring(result_boxes(pid).size()) + L" result boxes still open after " +
             args[0] + L" ms (" + std::to_wstring(seen.size()) + L" seen)");
    }
    print(L"closed " + std::to_wstring(seen.size()) + L" result boxes");
    return 0;
}

// watch-boxes SECONDS: samples the number of open result boxes every 100 ms and
// prints the largest; fails if the target's window disappears meanwhile.
int watch_boxes_command(const Args& args) {
    if (args.size() != 1) fail(L"usage: watch-boxes SECONDS");
    HWND main = target_main();
    const DWORD pid = window_pid(main);
    std::size_t most = 0;
    const double deadline = now_ms() + 1000.0 * number_arg(args[0], L"SECONDS");
    while (now_ms() < deadline) {
        if (!IsWindow(main)) fail(L"the main window disappeared (most result boxes seen: " + std::to_wstring(most) + L")");
        most = std::max(most, result_boxes(pid).size());
        Sleep(100);
    }
    print(L"most result boxes open at once: " + std::to_wstring(most));
    return 0;
}

// check-run buttons|hotkeys: one whole run driven through the message loop:
// start, see the seconds count, type 10 Chinese characters and one letter
// (posted WM_CHAR), stop, and check the result box word for word.
int check_run_command(const Args& args) {
    if (args.size() != 1 || (args[0] != L"buttons" && args[0] != L"hotkeys")) {
        fail(L"usage: check-run buttons|hotkeys");
    }
    const bool by_button = args[0] == L"buttons";
    HWND main = target_main();
    const DWORD pid = window_pid(main);
    HWND label = GetDlgItem(main, control::label1);
    HWND edit = GetDlgItem(main, control::edit1);
    if (!result_boxes(pid).empty()) fail(L"a result box is open before the run");
    if (window_text_length(edit) != 0) fail(L"编辑框1 is not empty before the run");

    post_start(main, by_button);
    std::wstring seconds;
    if (!poll_until([&] { return (seconds = window_text(label)) == L"0秒"; }, 3000)) {
        fail(L"标签1 shows \"" + seconds + L"\" after the start, expected \"0秒\"");
    }
    if (!poll_until([&] { return (seconds = window_text(label)) == L"2秒"; }, 5000, 10)) {
        fail(L"标签1 shows \"" + seconds + L"\" 5 s after the start, expected \"2秒\"");
    }
    const std::wstring typed = chinese_text(10) + L"a";
    for (wchar_t c : typed) PostMessageW(edit, WM_CHAR, c, 1);
    std::wstring content;
    if (!poll_until([&] { return (content = window_text(edit)) == typed; }, 5000, 10)) {
        fail(L"编辑框1 holds \"" + content + L"\" after typing, expected \"" + typed + L"\"");
    }

    post_stop(main, by_button);
    HWND box = wait_for_box(pid, 10000, L"the stop");
    const std::wstring expected = L"共计" + window_text(label) + L"，共计打了10.5个汉字";
    const std::wstring shown = box_text(box);
    if (shown != expected) fail(L"the result box says \"" + shown + L"\", expected \"" + expected + L"\"");
    const std::wstring after = window_text(label);
    close_box_and_wait_emptied(main, box);
    if (window_text(label) != after) fail(L"标签1 went on counting after the stop");
    print(L"run counted correctly: " + shown);
    return 0;
}

namespace {

struct Sample {
    unsigned long stops;
    SIZE_T private_bytes;
    DWORD handles;
    DWORD gdi_objects;
    DWORD user_objects;
    std::size_t windows;
};

BOOL CALLBACK count_child(HWND, LPARAM count) {
    ++*reinterpret_cast<std::size_t*>(count);
    return TRUE;
}

struct WindowCount {
    DWORD pid;
    std::size_t count;
};

BOOL CALLBACK count_top_level(HWND window, LPARAM param) {
    auto* counting = reinterpret_cast<WindowCount*>(param);
    if (window_pid(window) == counting->pid) {
        ++counting->count;
        EnumChildWindows(window, count_child, reinterpret_cast<LPARAM>(&counting->count));
    }
    return TRUE;
}

// The process's handles counted in the system handle list: Wine answers
// GetProcessHandleCount with 0 for every process.
DWORD handles_of(DWORD pid) {
    struct HandleEntry {
        ULONG owner_pid;
        BYTE object_type;
        BYTE flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    struct HandleList {
        ULONG count;
        HandleEntry entries[1];
    };
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    constexpr ULONG system_handle_information = 16;
    if (!query) return 0;
    std::vector<unsigned char> buffer(1 << 20);
    for (;;) {
        ULONG needed = 0;
        const LONG status = query(system_handle_information, buffer.data(),
                                  static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) break;
        if (buffer.size() >= (1u << 28)) return 0;
        buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
    }
    const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
    DWORD count = 0;
    for (ULONG i = 0; i < list->count; ++i) {
        if (list->entries[i].owner_pid == pid) ++count;
    }
    return count;
}

Sample take_sample(HANDLE process, DWORD pid, unsigned long stops) {
    Sample sample{stops, 0, 0, 0, 0, 0};
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters)) {
        // Wine fills only the basic counters (and sets cb to say so); there,
        // as on Windows, PagefileUsage is the process's private commit.
        sample.private_bytes = counters.cb >= sizeof counters ? counters.PrivateUsage
                                                              : counters.PagefileUsage;
    }
    if (!GetProcessHandleCount(process, &sample.handles) || sample.handles == 0) {
        sample.handles = handles_of(pid);
    }
    sample.gdi_objects = GetGuiResources(process, GR_GDIOBJECTS);
    sample.user_objects = GetGuiResources(process, GR_USEROBJECTS);
    WindowCount counting{pid, 0};
    EnumWindows(count_top_level, reinterpret_cast<LPARAM>(&counting));
    sample.windows = counting.count;
    return sample;
}

template <class Field>
void check_no_growth(const std::vector<Sample>& samples, const Sample& base, Field field,
                     const wchar_t* what, std::wstring& failures) {
    for (const Sample& sample : samples) {
        if (sample.stops >= base.stops && field(sample) > field(base)) {
            failures += std::wstring(L"; ") + what + L" grew from " +
                        std::to_wstring(field(base)) + L" after warm-up to " +
                        std::to_wstring(field(sample)) + L" at stop " +
                        std::to_wstring(sample.stops);
            return;
        }
    }
}

}  // namespace

// compressed-run TICKS STOPS: a long run compressed: TICKS WM_TIMER posted to
// 时钟计时 and STOPS stop actions (F3 hotkey and 按钮2 in turn), each with a
// different short text in 编辑框1 and its result box checked word for word and
// closed. Private memory must stay within 64 KiB after the first tenth of the
// stops, and handle, GDI, USER and window counts must not grow.
int compressed_run_command(const Args& args) {
    if (args.size() != 2) fail(L"usage: compressed-run TICKS STOPS");
    const unsigned long ticks = number_arg(args[0], L"TICKS");
    const unsigned long stops = number_arg(args[1], L"STOPS");
    if (stops == 0) fail(L"STOPS must be at least 1");
    HWND main = target_main();
    const DWORD pid = window_pid(main);
    HWND timer = GetDlgItem(main, control::run_timer);
    HWND edit = GetDlgItem(main, control::edit1);
    HWND label = GetDlgItem(main, control::label1);
    UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process) fail(L"cannot open the Kestrava process");
    if (!result_boxes(pid).empty()) fail(L"a result box is open before the run");

    const unsigned long long first_seconds = std::wcstoull(window_text(label).c_str(), nullptr, 10);
    const unsigned long warm_up = std::max(1UL, stops / 10);
    const unsigned long sample_every = std::max(1UL, stops / 40);
    std::vector<Sample> samples;
    unsigned long long ticks_sent = 0;
    const double started = now_ms();
    for (unsigned long stop = 0; stop < stops; ++stop) {
        const unsigned long long ticks_due = static_cast<unsigned long long>(ticks) * (stop + 1) / stops;
        for (; ticks_sent < ticks_due; ++ticks_sent) PostMessageW(timer, WM_TIMER, 1, 0);

        const std::size_t characters = stop % 40 + 1;
        const bool odd = stop % 2 == 1;
        if (!set_window_text(edit, chinese_text(characters) + (odd ? L"a" : L""))) {
            fail(L"WM_SETTEXT into 编辑框1 failed at stop " + std::to_wstring(stop));
        }
        post_stop(main, odd);
        HWND box = wait_for_box(pid, 10000, L"stop " + std::to_wstring(stop));
        const std::wstring expected = L"共计" + std::to_wstring(first_seconds + ticks_sent) +
                                      L"秒，共计打了" +
                                      half_count_text(characters * 2 + (odd ? 1 : 0)) + L"个汉字";
        const std::wstring shown = box_text(box);
        if (shown != expected) {
            fail(L"stop " + std::to_wstring(stop) + L": the result box says \"" + shown +
                 L"\", expected \"" + expected + L"\"");
        }
        close_box_and_wait_emptied(main, box);
        if ((stop + 1) % sample_every == 0 || stop + 1 == warm_up) {
            samples.push_back(take_sample(process.get(), pid, stop + 1));
        }
    }
    const double seconds = (now_ms() - started) / 1000.0;

    for (const Sample& s : samples) {
        print(L"sample stops=" + std::to_wstring(s.stops) + L" private=" +
              std::to_wstring(s.private_bytes) + L" handles=" + std::to_wstring(s.handles) +
              L" gdi=" + std::to_wstring(s.gdi_objects) + L" user=" +
              std::to_wstring(s.user_objects) + L" windows=" + std::to_wstring(s.windows));
    }
    const auto base = std::find_if(samples.begin(), samples.end(),
                                   [&](const Sample& s) { return s.stops == warm_up; });
    SIZE_T low = base->private_bytes;
    SIZE_T high = base->private_bytes;
    for (const Sample& s : samples) {
        if (s.stops < warm_up) continue;
        low = std::min(low, s.private_bytes);
        high = std::max(high, s.private_bytes);
    }
    std::wstring failures;
    if (high - low > 64 * 1024) {
        failures += L"; private memory moved by " + std::to_wstring(high - low) +
                    L" bytes after warm-up (allowed 65536)";
    }
    check_no_growth(samples, *base, [](const Sample& s) { return s.handles; }, L"handles", failures);
    check_no_growth(samples, *base, [](const Sample& s) { return s.gdi_objects; }, L"GDI objects", failures);
    check_no_growth(samples, *base, [](const Sample& s) { return s.user_objects; }, L"USER objects", failures);
    check_no_growth(samples, *base, [](const Sample& s) { return s.windows; }, L"windows", failures);
    if (!failures.empty()) fail(failures.substr(2));

    wchar_t summary[200];
    std::swprintf(summary, 200,
                  L"compressed run: %lu ticks, %lu stops in %.1f s; private memory range after "
                  L"warm-up %zu bytes; handles %lu",
                  ticks, stops, seconds, static_cast<std::size_t>(high - low),
                  static_cast<unsigned long>(base->handles));
    print(summary);
    if (base->gdi_objects == 0 && base->user_objects == 0) {
        print(L"note: GetGuiResources reports 0 GDI and USER objects on this platform; the window count stands in");
    }
    return 0;
}

namespace {

LRESULT CALLBACK owner_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(window, message, wparam, lparam);
}

// Pumps this thread's messages until `until_ms`: the clipboard owner must
// answer WM_DESTROYCLIPBOARD when someone else empties the clipboard.
void pump_until(double until_ms) {
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        const double left = until_ms - now_ms();
        if (left <= 0) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
    }
}

}  // namespace

// clipboard-writer HZ SECONDS: another program putting a text on the clipboard
// HZ times a second for SECONDS; prints how often that worked.
int clipboard_writer_command(const Args& args) {
    if (args.size() != 2) fail(L"usage: clipboard-writer HZ SECONDS");
    const double period = 1000.0 / number_arg(args[0], L"HZ");
    const double end = now_ms() + 1000.0 * number_arg(args[1], L"SECONDS");

    WNDCLASSW owner_class{};
    owner_class.lpfnWndProc = owner_proc;
    owner_class.hInstance = GetModuleHandleW(nullptr);
    owner_class.lpszClassName = L"KestravaDriverClipboardOwner";
    RegisterClassW(&owner_class);
    HWND owner = CreateWindowExW(0, owner_class.lpszClassName, L"", 0, 0, 0, 0, 0, nullptr,
                                 nullptr, owner_class.hInstance, nullptr);
    if (!owner) fail(L"cannot create the clipboard owner window");

    const std::wstring text = L"粘贴的文字";
    unsigned long set = 0;
    unsigned long busy = 0;
    for (double next = now_ms(); next < end; next += period) {
        pump_until(next);
        if (!OpenClipboard(owner)) {
            ++busy;
            continue;
        }
        EmptyClipboard();
        const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        if (memory) {
            std::memcpy(GlobalLock(memory), text.c_str(), bytes);
            GlobalUnlock(memory);
            if (SetClipboardData(CF_UNICODETEXT, memory)) {
                ++set;
            } else {
                GlobalFree(memory);
            }
        }
        CloseClipboard();
    }
    DestroyWindow(owner);
    print(L"clipboard set " + std::to_wstring(set) + L" times, busy " + std::to_wstring(busy) + L" times");
    return set > 0 ? 0 : 1;
}

}  // namespace driver
