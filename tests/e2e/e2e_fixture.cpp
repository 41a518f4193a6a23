#include "tests/e2e/e2e_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr Milliseconds poll_interval = 20ms;
constexpr const char* seconds_suffix = "秒";
constexpr const char* result_caption = "信息：";
constexpr const char* main_class = "KestravaMainWindow";

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        if (!part.empty()) parts.push_back(part);
    return parts;
}

std::string quoted(const std::string& text) { return "\"" + escape_for_probe(text) + "\""; }

std::string milliseconds_text(Milliseconds duration) {
    return std::to_string(duration.count()) + " ms";
}

}  // namespace

std::vector<CodePage> code_pages() {
    return {{"CodePage936", "zh_CN.UTF-8", 936}, {"CodePageC", "C", 1252}};
}

std::string code_page_name(const testing::TestParamInfo<CodePage>& info) { return info.param.name; }

void PrintTo(const CodePage& code_page, std::ostream* out) {
    *out << "LANG=" << code_page.locale;
}

std::string result_message(long long seconds, const std::string& count) {
    return "共计" + std::to_string(seconds) + "秒，共计打了" + count + "个汉字";
}

std::string scenario_artifact(const testing::TestInfo& scenario, const std::string& extension) {
    std::string name = std::string(scenario.test_suite_name()) + "." + scenario.name();
    std::replace(name.begin(), name.end(), '/', '_');
    std::filesystem::create_directories(KESTRAVA_E2E_LOG_DIR);
    return std::string(KESTRAVA_E2E_LOG_DIR) + "/" + name + extension;
}

void KestravaTest::SetUp() {
    if (!std::getenv("DISPLAY") || !std::getenv("WINEPREFIX"))
        GTEST_SKIP() << "needs an X display and a Wine prefix: run inside tools/session "
                        "(make test does)";
    wine_run_ = std::string(KESTRAVA_SOURCE_DIR) + "/tools/wine-run";
    kestrava_exe_ = std::string(KESTRAVA_WINDOWS_BUILD_DIR) + "/Kestrava.exe";
    probe_exe_ = std::string(KESTRAVA_WINDOWS_BUILD_DIR) + "/kestrava_probe.exe";
    for (const auto& file : {kestrava_exe_, probe_exe_})
        ASSERT_TRUE(std::filesystem::exists(file))
            << file << " is missing: build the Windows preset first (make build)";

    log_file_ = scenario_artifact(*testing::UnitTest::GetInstance()->current_test_info(), ".log");
    std::ofstream(log_file_, std::ios::trunc) << "scenario with " << GetParam().locale << "\n";
    probe_ = std::make_unique<ProbeClient>(std::vector<std::string>{wine_run_, probe_exe_},
                                           wine_environment(), log_file_);
    Fields code_page = probe().ask("acp", 30s);
    ASSERT_TRUE(code_page.ok()) << code_page.describe();
    ASSERT_EQ(code_page.number("acp"), GetParam().ansi_code_page)
        << "Wine did not give the locale " << GetParam().locale << " its code page";
    ASSERT_TRUE(eventually("no Kestrava window and no result box left from before", [&] {
        Fields mains = probe().ask(std::string("find ") + main_class);
        return Check{mains.number("count") == 0 && result_boxes().empty(), mains.describe()};
    }));
}

void KestravaTest::TearDown() {
    for (Kestrava& kestrava : instances_) {
        std::optional<int> ended = kestrava.process.wait_exit(0ms);
        EXPECT_TRUE(!ended || *ended == 0)
            << "Kestrava (pid " << kestrava.pid << ") ended by itself with exit code " << *ended;
    }
    instances_.clear();
    other_programs_.clear();
    if (!probe_) return;
    EXPECT_TRUE(eventually("every window of the scenario gone", [&] {
        Fields mains = probe().ask(std::string("find ") + main_class);
        Fields others = probe().ask("find KestravaProbeOther");
        return Check{mains.number("count") == 0 && others.number("count") == 0 &&
                         result_boxes().empty(),
                     mains.describe() + others.describe()};
    }, 10s));
    probe_.reset();
}

std::vector<std::string> KestravaTest::wine_environment() const {
    const std::string& locale = GetParam().locale;
    return {"LANG=" + locale, "LC_ALL=" + locale, "KESTRAVA_WINE_TIMEOUT=300"};
}

void KestravaTest::log(const std::string& line) {
    auto since_start = std::chrono::duration_cast<Milliseconds>(Clock::now() - started_);
    std::ofstream(log_file_, std::ios::app) << since_start.count() << " ms  " << line << "\n";
}

Kestrava* KestravaTest::start_kestrava() {
    Fields before = probe().ask(std::string("find ") + main_class);
    std::vector<std::string> known;
    for (long long i = 0; i < before.number("count"); ++i) known.push_back(before.item(i).get("hwnd"));

    log("start Kestrava.exe");
    Kestrava& kestrava = instances_.emplace_back(Kestrava{
        ChildProcess({.argv = {wine_run_, kestrava_exe_},
                      .environment = wine_environment(),
                      .output_file = log_file_}),
        {}, 0, 0});
    auto shown = eventually("a new Kestrava window, shown and in the foreground", [&] {
        Fields mains = probe().ask(std::string("find ") + main_class);
        for (long long i = 0; i < mains.number("count"); ++i) {
            Fields main = mains.item(i);
            if (std::find(known.begin(), known.end(), main.get("hwnd")) != known.end()) continue;
            if (main.number("visible") != 1 || main.number("foreground") != 1) continue;
            kestrava.hwnd = main.get("hwnd");
            kestrava.pid = main.number("pid");
            kestrava.xid = main.number("xid");
            // Wine makes the window its foreground window before the window
            // manager gives it the X focus; keys and hotkeys need the latter.
            return Check{x_focus() == kestrava.xid, "X focus on " + std::to_string(x_focus())};
        }
        return Check{false, mains.describe()};
    }, 30s);
    if (!shown) {
        ADD_FAILURE() << shown.message();
        return nullptr;
    }
    log("Kestrava window " + kestrava.hwnd + " pid " + std::to_string(kestrava.pid));
    return &kestrava;
}

std::string KestravaTest::start_other_program() {
    log("start the other program");
    other_programs_.emplace_back(ChildProcess({.argv = {wine_run_, probe_exe_, "other-window"},
                                               .environment = wine_environment(),
                                               .output_file = log_file_}));
    std::string hwnd;
    auto shown = eventually("the other program's window in the foreground", [&] {
        Fields found = probe().ask("find KestravaProbeOther");
        hwnd = found.get("0.hwnd");
        return Check{found.number("0.foreground") == 1 && x_focus() == found.number("0.xid"),
                     found.describe() + " X focus on " + std::to_string(x_focus())};
    }, 30s);
    if (!shown) {
        ADD_FAILURE() << shown.message();
        return {};
    }
    return hwnd;
}

Fields KestravaTest::window(const Kestrava& kestrava) { return probe().ask("window " + kestrava.hwnd); }

std::string KestravaTest::text_of(const Kestrava& kestrava, int control_id) {
    return window(kestrava).get(std::to_string(control_id) + ".text");
}

long long KestravaTest::seconds_shown(const Kestrava& kestrava) {
    std::string caption = text_of(kestrava, control::seconds_label);
    std::string suffix = seconds_suffix;
    if (caption.size() <= suffix.size() || !caption.ends_with(suffix)) return -1;
    std::string digits = caption.substr(0, caption.size() - suffix.size());
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::stoll(digits);
}

std::vector<ResultBox> KestravaTest::result_boxes() {
    Fields dialogs = probe().ask("find #32770");
    std::vector<ResultBox> boxes;
    for (long long i = 0; i < dialogs.number("count"); ++i) {
        Fields dialog = dialogs.item(i);
        if (dialog.get("caption") != result_caption) continue;
        boxes.push_back({dialog.get("hwnd"), dialog.number("pid"), dialog.get("text"),
                         dialog.number("enabled") == 1});
    }
    return boxes;
}

std::vector<ResultBox> KestravaTest::result_boxes_of(const Kestrava& kestrava) {
    std::vector<ResultBox> boxes = result_boxes();
    std::erase_if(boxes, [&](const ResultBox& box) { return box.pid != kestrava.pid; });
    return boxes;
}

Fields KestravaTest::other_program(const std::string& hwnd) {
    Fields found = probe().ask("find KestravaProbeOther");
    for (long long i = 0; i < found.number("count"); ++i)
        if (found.item(i).get("hwnd") == hwnd) return found.item(i);
    return {};
}

std::string KestravaTest::describe(const Kestrava& kestrava) {
    Fields shown = window(kestrava);
    if (!shown.ok()) return "no window (" + shown.get("error") + ")";
    std::ostringstream out;
    out << "标签1=" << quoted(shown.get("6.text")) << " 编辑框1=" << quoted(shown.get("7.text"))
        << " caret=" << shown.get("7.sel_start") << ".." << shown.get("7.sel_end")
        << " focus=" << shown.get("focus") << " foreground=" << shown.get("foreground")
        << " X focus " << (x_focus() == kestrava.xid ? "here" : "elsewhere")
        << " enabled=" << shown.get("enabled") << " 选择框1 checked=" << shown.get("3.checked")
        << " enabled=" << shown.get("3.enabled") << " boxes=[";
    for (const ResultBox& box : result_boxes())
        out << " pid " << box.pid << (box.enabled ? "" : " (disabled)") << ": " << quoted(box.text);
    out << " ]";
    return out.str();
}

void KestravaTest::press(const std::string& keys) {
    std::vector<std::string> arguments = {"key", "--delay", "40"};
    for (const auto& key : split(keys, ' ')) arguments.push_back(key);
    xdotool(arguments);
}

void KestravaTest::xdotool(const std::vector<std::string>& arguments) {
    std::string line = "xdotool";
    for (const auto& argument : arguments) line += " " + argument;
    log(line);
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    CommandResult result = run_command(argv, 60s, log_file_);
    EXPECT_EQ(result.exit_code, 0) << line;
}

void KestravaTest::press_repeated(const std::string& key, int times, int delay_ms) {
    xdotool({"key", "--repeat", std::to_string(times), "--delay", std::to_string(delay_ms), key});
}

void KestravaTest::click(const Kestrava& kestrava, int control_id) {
    Fields shown = window(kestrava);
    std::string prefix = std::to_string(control_id) + ".";
    long long x = shown.number("client_x") + shown.number(prefix + "x") + shown.number(prefix + "width") / 2;
    long long y = shown.number("client_y") + shown.number(prefix + "y") + shown.number(prefix + "height") / 2;
    log("click control " + std::to_string(control_id));
    // No --sync: it waits for a pointer motion, which never comes when the
    // pointer is already there. The X server keeps the move before the click.
    xdotool({"mousemove", std::to_string(x), std::to_string(y), "click", "1"});
}

testing::AssertionResult KestravaTest::type_text(const Kestrava& kestrava, const std::string& text) {
    auto focused = eventually("Kestrava in the foreground with the focus in 编辑框1", [&] {
        Fields shown = window(kestrava);
        return Check{shown.number("foreground") == 1 && shown.number("focus") == control::typing_area,
                     describe(kestrava)};
    });
    if (!focused) return focused;
    std::string before = text_of(kestrava, control::typing_area);
    Fields typed = probe().ask("keys " + escape_for_probe(text));
    if (!typed.ok()) return testing::AssertionFailure() << "typing failed: " << typed.describe();
    return eventually("编辑框1 shows " + quoted(before + text),
                      [&] { return typed_is(kestrava, before + text); });
}

void KestravaTest::close_box(const ResultBox& box) {
    log("close the box " + box.hwnd + " with IDOK");
    Fields closed = probe().ask("post " + box.hwnd + " 273 1 0");  // WM_COMMAND, IDOK
    EXPECT_TRUE(closed.ok()) << closed.describe();
}

testing::AssertionResult KestravaTest::eventually(const std::string& expected,
                                                  const std::function<Check()>& look,
                                                  Milliseconds deadline) {
    auto start = Clock::now();
    Check last;
    for (;;) {
        last = look();
        if (last.ok) return testing::AssertionSuccess();
        if (Clock::now() - start >= deadline) break;
        std::this_thread::sleep_for(poll_interval);
    }
    log("FAILED waiting for: " + expected + "; saw: " + last.seen);
    return testing::AssertionFailure() << "waited " << milliseconds_text(deadline) << " for: " << expected
                                       << "\n  saw: " << last.seen;
}

testing::AssertionResult KestravaTest::throughout(const std::string& expected,
                                                  const std::function<Check()>& look,
                                                  Milliseconds period) {
    auto start = Clock::now();
    while (Clock::now() - start < period) {
        Check now = look();
        if (!now.ok) {
            auto after = std::chrono::duration_cast<Milliseconds>(Clock::now() - start);
            log("FAILED to hold: " + expected + "; saw: " + now.seen);
            return testing::AssertionFailure() << "expected for " << milliseconds_text(period) << ": " << expected
                                               << "\n  after " << milliseconds_text(after) << " saw: " << now.seen;
        }
        std::this_thread::sleep_for(poll_interval);
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult KestravaTest::settles(const std::string& expected,
                                               const std::function<Check()>& look,
                                               Milliseconds stable_for, Milliseconds deadline) {
    auto start = Clock::now();
    auto held_since = start;
    Check last;
    bool holding = false;
    for (;;) {
        last = look();
        auto now = Clock::now();
        if (!last.ok) holding = false;
        else if (!holding) holding = true, held_since = now;
        if (holding && now - held_since >= stable_for) return testing::AssertionSuccess();
        if (now - start >= deadline) break;
        std::this_thread::sleep_for(poll_interval);
    }
    log("FAILED to settle on: " + expected + "; saw: " + last.seen);
    return testing::AssertionFailure() << "waited " << milliseconds_text(deadline) << " for " << expected
                                       << " to hold " << milliseconds_text(stable_for) << "\n  saw: " << last.seen;
}

Check KestravaTest::seconds_at_least(const Kestrava& kestrava, long long seconds) {
    return {seconds_shown(kestrava) >= seconds, describe(kestrava)};
}

Check KestravaTest::label_is(const Kestrava& kestrava, const std::string& caption) {
    return {text_of(kestrava, control::seconds_label) == caption, describe(kestrava)};
}

Check KestravaTest::typed_is(const Kestrava& kestrava, const std::string& text) {
    return {text_of(kestrava, control::typing_area) == text, describe(kestrava)};
}

Check KestravaTest::boxes_of(const Kestrava& kestrava, size_t count) {
    return {result_boxes_of(kestrava).size() == count, describe(kestrava)};
}

Check KestravaTest::foreground(const Kestrava& kestrava) {
    return {window(kestrava).number("foreground") == 1 && x_focus() == kestrava.xid,
            describe(kestrava)};
}

long long KestravaTest::x_focus() {
    CommandResult focus = run_command({"xdotool", "getwindowfocus"}, 5s);
    try {
        return std::stoll(focus.output);
    } catch (const std::exception&) {
        return 0;
    }
}

std::vector<ResultBox> KestravaTest::wait_for_boxes(const Kestrava& kestrava, size_t count) {
    auto came = eventually(std::to_string(count) + " result box(es) of pid " + std::to_string(kestrava.pid),
                           [&] { return boxes_of(kestrava, count); });
    if (!came) ADD_FAILURE() << came.message();
    return result_boxes_of(kestrava);
}
