// Finding and talking to a running Kestrava from another process: its main
// window, its controls by child id, its result boxes, and the small waiting
// and output helpers every driver command uses.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace driver {

// Child ids of the main window's controls, in form order.
namespace control {
inline constexpr int label2 = 1;
inline constexpr int clipboard_timer = 2;
inline constexpr int check1 = 3;
inline constexpr int button2 = 4;
inline constexpr int button1 = 5;
inline constexpr int label1 = 6;
inline constexpr int edit1 = 7;
inline constexpr int run_timer = 8;
}  // namespace control

inline constexpr wchar_t main_class[] = L"KestravaMainWindow";
inline constexpr wchar_t floor_class[] = L"KestravaFloorWindow";
inline constexpr wchar_t box_caption[] = L"信息：";
inline constexpr int f2_hotkey_id = 33001;
inline constexpr int f3_hotkey_id = 33002;

struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// Output goes to the Unix side as UTF-8, one call per line.
void print(std::wstring_view line);
// Prints "FAIL: <what>" and ends the driver with exit code 1.
[[noreturn]] void fail(std::wstring_view what);

double now_ms();
// Calls `done` every `step_ms` until it returns true or `timeout_ms` has passed;
// returns whether it became true.
bool poll_until(const std::function<bool()>& done, double timeout_ms, DWORD step_ms = 1);

DWORD window_pid(HWND window);
// Top-level windows of a class, optionally only those of one process.
std::vector<HWND> top_level_windows(const wchar_t* class_name, DWORD pid = 0);
// Result boxes (caption "信息：") of one process, visible or not.
std::vector<HWND> result_boxes(DWORD pid);
HWND visible_result_box(DWORD pid);

// Window texts read and written with sent messages, which Wine and Windows
// marshal across processes; the edit box's content is not kept server-side.
std::wstring window_text(HWND window);
std::size_t window_text_length(HWND window);
bool set_window_text(HWND window, const std::wstring& text);
// The message text of a result box (its static control 0xFFFF).
std::wstring box_text(HWND box);

// The Kestrava main window the commands act on: the one of the process given
// with --pid, else the only one running (several without --pid is a failure).
void set_target_pid(DWORD pid);
DWORD target_pid();
HWND target_main();
HWND target_control(int id);

// Whether a Kestrava main window is on screen with the keyboard focus in 编辑框1.
bool kestrava_ready(HWND main);
// Whether a floor window is on screen and active.
bool floor_ready(HWND window);

// Sends WM_CLOSE to the window and waits for its process to end.
bool close_and_wait(HWND window, double timeout_ms);

// Chinese text of `count` characters, all inside GBK (two bytes each there).
std::wstring chinese_text(std::size_t count);
// Typed-looking text of exactly `bytes` bytes in GBK: lines of 511 Chinese
// characters, each ended by CR LF (1024 bytes a line). Wine's edit box wraps a
// single long paragraph in quadratic time (8 Ki characters take 0.7 s, 64 Ki
// take 43 s), so a MiB of text has to come in lines to be loaded at all.
std::wstring lines_of_text(std::size_t bytes);
// "%.13g" of a count of bytes halved, as Kestrava reports it: 52.5, 120, 0.
std::wstring half_count_text(std::size_t bytes);

}  // namespace driver
