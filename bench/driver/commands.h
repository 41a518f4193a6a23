// The driver's commands. Each takes the words after its name and returns the
// exit code; a command that finds something wrong prints "FAIL: ..." and
// returns 1 (or ends through driver::fail).
#pragma once

#include <string>
#include <vector>

namespace driver {

using Args = std::vector<std::wstring>;

// Measurements (measure_commands.cpp).
int startup_command(const Args& args);
int stop_cost_command(const Args& args);
int wait_ready_command(const Args& args);
int wait_floor_command(const Args& args);
int close_command(const Args& args);

// Driving and soak checks (soak_commands.cpp).
int list_command(const Args& args);
int text_command(const Args& args);
int fill_command(const Args& args);
int wait_fill_command(const Args& args);
int focus_command(const Args& args);
int click_command(const Args& args);
int hotkey_command(const Args& args);
int wait_label_command(const Args& args);
int boxes_command(const Args& args);
int close_boxes_command(const Args& args);
int watch_boxes_command(const Args& args);
int check_run_command(const Args& args);
int compressed_run_command(const Args& args);
int clipboard_writer_command(const Args& args);

}  // namespace driver
