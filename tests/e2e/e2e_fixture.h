// The fixture of the end-to-end scenarios: starts Kestrava.exe under Wine for
// each scenario, drives it with real keys and clicks through the X server
// (xdotool), reads its windows with kestrava_probe, and stops everything at the
// end of the scenario. Every scenario runs once per code page (CodePage936,
// CodePageC).
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/child_process.h"
#include "tests/e2e/probe_client.h"

using namespace std::chrono_literals;
using Milliseconds = std::chrono::milliseconds;

struct CodePage {
    std::string name;
    std::string locale;     // LANG and LC_ALL of every Wine program of the scenario
    int ansi_code_page;     // what Wine makes of that locale
};

std::vector<CodePage> code_pages();
std::string code_page_name(const testing::TestParamInfo<CodePage>& info);
void PrintTo(const CodePage& code_page, std::ostream* out);

// Window ids of the main window's controls: their places in the form.
namespace control {
inline constexpr int note_label = 1;        // 标签2
inline constexpr int clipboard_timer = 2;   // 时钟清除剪辑版
inline constexpr int one_minute_box = 3;    // 选择框1
inline constexpr int stop_button = 4;       // 按钮2
inline constexpr int start_button = 5;      // 按钮1
inline constexpr int seconds_label = 6;     // 标签1
inline constexpr int typing_area = 7;       // 编辑框1
inline constexpr int run_timer = 8;         // 时钟计时
}  // namespace control

// One running copy of Kestrava.exe.
struct Kestrava {
    ChildProcess process;
    std::string hwnd;  // decimal, as the probe writes it
    long long pid = 0;
    long long xid = 0;
};

// A result message box ("信息："), from the top of the z-order down.
struct ResultBox {
    std::string hwnd;
    long long pid = 0;
    std::string text;
    bool enabled = false;
};

// One look at the screen while waiting: whether it shows what is expected, and
// what it showed, for the failure message.
struct Check {
    bool ok = false;
    std::string seen;
};

// "共计12秒，共计打了3.5个汉字"
std::string result_message(long long seconds, const std::string& count);

class KestravaTest : public testing::TestWithParam<CodePage> {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts a fresh Kestrava.exe and waits until its window is on screen and
    // active; nullptr (and a failure) if it does not come.
    Kestrava* start_kestrava();
    // Starts the probe's own window standing for another program and waits
    // until it has the focus; returns its window handle, "" on failure.
    std::string start_other_program();

    // Reading the screen.
    Fields window(const Kestrava& kestrava);
    std::string text_of(const Kestrava& kestrava, int control_id);
    // The number that 标签1 shows before 秒; -1 when it shows something else.
    long long seconds_shown(const Kestrava& kestrava);
    std::vector<ResultBox> result_boxes();
    std::vector<ResultBox> result_boxes_of(const Kestrava& kestrava);
    Fields other_program(const std::string& hwnd);
    std::string describe(const Kestrava& kestrava);

    // Acting as a user.
    void press(const std::string& keys);  // xdotool key names, space-separated
    void xdotool(const std::vector<std::string>& arguments);
    void press_repeated(const std::string& key, int times, int delay_ms);
    // Two clicks on one place within the double-click time make a double
    // click, which does not move the focus into an edit control.
    void click(const Kestrava& kestrava, int control_id);
    // Types the text as key presses into 编辑框1 and waits until it shows them.
    testing::AssertionResult type_text(const Kestrava& kestrava, const std::string& text);
    void close_box(const ResultBox& box);

    // Waiting on conditions, each look a Check.
    testing::AssertionResult eventually(const std::string& expected, const std::function<Check()>& look,
                                        Milliseconds deadline = 5s);
    testing::AssertionResult throughout(const std::string& expected, const std::function<Check()>& look,
                                        Milliseconds period);
    testing::AssertionResult settles(const std::string& expected, const std::function<Check()>& look,
                                     Milliseconds stable_for = 400ms, Milliseconds deadline = 8s);

    // Common looks.
    Check seconds_at_least(const Kestrava& kestrava, long long seconds);
    Check label_is(const Kestrava& kestrava, const std::string& caption);
    Check typed_is(const Kestrava& kestrava, const std::string& text);
    Check boxes_of(const Kestrava& kestrava, size_t count);
    // Foreground for Windows and X focus from the window manager.
    Check foreground(const Kestrava& kestrava);
    long long x_focus();  // the X window that has the focus

    // Waits until the instance shows `count` result boxes and returns them.
    std::vector<ResultBox> wait_for_boxes(const Kestrava& kestrava, size_t count);

    ProbeClient& probe() { return *probe_; }
    void log(const std::string& line);
    const std::string& log_file() const { return log_file_; }
    std::vector<std::string> wine_environment() const;

    std::string wine_run_;
    std::string kestrava_exe_;
    std::string probe_exe_;
    std::string log_file_;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
    std::unique_ptr<ProbeClient> probe_;
    std::list<Kestrava> instances_;
    std::list<ChildProcess> other_programs_;
};

#define KESTRAVA_E2E_FOR_EVERY_CODE_PAGE(suite) \
    INSTANTIATE_TEST_SUITE_P(CodePages, suite, testing::ValuesIn(code_pages()), code_page_name)

// Where a scenario's log (".log") and failure screenshot (".png") go.
std::string scenario_artifact(const testing::TestInfo& scenario, const std::string& extension);
