// kestrava_driver: starts, times and drives Kestrava from another process in
// the same Wine prefix (or on Windows). tools/run-bench and tools/run-soak call
// it; `kestrava_driver help` lists the commands.
#include <cwchar>
#include <string_view>

#include "bench/driver/commands.h"
#include "bench/driver/target_windows.h"

namespace {

struct Command {
    std::wstring_view name;
    int (*run)(const driver::Args&);
    std::wstring_view usage;
};

constexpr Command commands[] = {
    {L"startup", driver::startup_command, L"RUNS FLOOR_EXE KESTRAVA_EXE: median warm start-up of both"},
    {L"stop-cost", driver::stop_cost_command, L"RUNS [CHARS]: stop action with a large text vs GetWindowTextW"},
    {L"wait-ready", driver::wait_ready_command, L"COUNT TIMEOUT_MS: wait for COUNT Kestrava windows ready"},
    {L"wait-floor", driver::wait_floor_command, L"TIMEOUT_MS: wait for a floor window shown"},
    {L"close", driver::close_command, L": close Kestrava (--pid) or every Kestrava and floor window"},
    {L"list", driver::list_command, L": PID HWND ready BOXES of every Kestrava window"},
    {L"text", driver::text_command, L"ID: text of control ID (0: main window)"},
    {L"fill", driver::fill_command, L"CHARS CARET: Chinese text into 编辑框1, caret at CARET"},
    {L"wait-fill", driver::wait_fill_command, L"TIMEOUT_MS CHARS [POS CHAR]: wait for 编辑框1 to hold that text"},
    {L"focus", driver::focus_command, L": succeed when the focus is in 编辑框1"},
    {L"click", driver::click_command, L"ID: post BM_CLICK to button ID"},
    {L"hotkey", driver::hotkey_command, L"F2|F3: post WM_HOTKEY with that key's id"},
    {L"wait-label", driver::wait_label_command, L"TIMEOUT_MS SECONDS: wait for 标签1 to show SECONDS秒"},
    {L"boxes", driver::boxes_command, L": number of open result boxes"},
    {L"close-boxes", driver::close_boxes_command, L"TIMEOUT_MS: close every result box"},
    {L"watch-boxes", driver::watch_boxes_command, L"SECONDS: most result boxes open at once"},
    {L"check-run", driver::check_run_command, L"buttons|hotkeys: one run checked word for word"},
    {L"compressed-run", driver::compressed_run_command, L"TICKS STOPS: memory and handles over many runs"},
    {L"clipboard-writer", driver::clipboard_writer_command, L"HZ SECONDS: put text on the clipboard"},
};

int usage() {
    driver::print(L"usage: kestrava_driver [--pid PID] COMMAND ARGS...");
    for (const Command& command : commands) {
        driver::print(L"  " + std::wstring(command.name) + L" " + std::wstring(command.usage));
    }
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    driver::Args words(argv + 1, argv + argc);
    if (words.size() >= 2 && words[0] == L"--pid") {
        driver::set_target_pid(static_cast<DWORD>(std::wcstoul(words[1].c_str(), nullptr, 0)));
        words.erase(words.begin(), words.begin() + 2);
    }
    if (words.empty()) return usage();
    for (const Command& command : commands) {
        if (command.name == words[0]) {
            return command.run(driver::Args(words.begin() + 1, words.end()));
        }
    }
    return usage();
}
