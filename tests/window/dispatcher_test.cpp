// Raising events: suppression, bindings, results, and what each source does
// with a result; the real form's bindings reach the typing test's handlers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/gbk.h"
#include "window/dispatcher.h"

namespace kestrava {
namespace {

// Records the platform calls a handler makes, as short strings.
class RecordingPlatform : public Platform {
public:
    std::vector<std::string> calls;

    Text read_text(ControlId, Property) override { return note("read_text"), Text{}; }
    std::int32_t read_int(ControlId, Property) override { return note("read_int"), 0; }
    void write_text(ControlId c, Property, TextRef value) override {
        note("write_text " + std::to_string(Form::position(c)) + " " + std::string(value.data(), value.size()));
    }
    void write_int(ControlId c, Property, std::int32_t v) override {
        note("write_int " + std::to_string(Form::position(c)) + " " + std::to_string(v));
    }
    WindowHandle handle(ControlId) override { return note("handle"), nullptr; }
    std::int32_t register_hotkey(WindowHandle, WindowHandle, std::int32_t m, std::int32_t k) override {
        note("register_hotkey " + std::to_string(m) + " " + std::to_string(k));
        return 33001;
    }
    void press_keys(std::int32_t a, std::int32_t b, std::int32_t c) override {
        note("press_keys " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c));
    }
    void clear_clipboard() override { note("clear_clipboard"); }
    std::int32_t message_box(TextRef, std::int32_t, std::optional<TextRef>) override {
        return note("message_box"), 0;
    }

private:
    void note(std::string call) { calls.push_back(std::move(call)); }
};

// Test handlers: what they were called with, and the result they give.
EventParams seen;
int calls = 0;
HandlerResult give_nothing(Platform&, const EventParams& p) { return ++calls, seen = p, std::nullopt; }
HandlerResult give_zero(Platform&, const EventParams& p) { return ++calls, seen = p, 0; }
HandlerResult give_seven(Platform&, const EventParams& p) { return ++calls, seen = p, 7; }

Form test_form() {
    Form form = main_form();
    for (ControlSpec& entry : form.controls) entry.bindings = {};
    form.window.bindings = {};
    return form;
}

class DispatcherTest : public ::testing::Test {
protected:
    void SetUp() override { calls = 0, seen = {}; }
    RecordingPlatform platform;
    Form form = test_form();
};

TEST_F(DispatcherTest, SuppressionDropsEventsForGood) {
    form.control(ControlId::按钮1).bindings = {Binding{Event::click, give_nothing}};
    Dispatcher dispatcher(form);
    dispatcher.suppress();
    dispatcher.suppress();
    EventRecord record{ControlId::按钮1, Event::click};
    EXPECT_FALSE(dispatcher.raise(platform, record));
    dispatcher.release();
    EXPECT_FALSE(dispatcher.raise(platform, record));
    dispatcher.release();
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(dispatcher.raise(platform, record));
    EXPECT_EQ(calls, 1);  // nothing dropped earlier comes late
}

TEST_F(DispatcherTest, UnboundEventIsNotDelivered) {
    form.control(ControlId::编辑框1).bindings = {Binding{Event::key_down, give_zero}};
    Dispatcher dispatcher(form);
    EventRecord other_event{ControlId::编辑框1, Event::click};
    EventRecord other_control{ControlId::标签2, Event::key_down};
    EXPECT_FALSE(dispatcher.raise(platform, other_event));
    EXPECT_FALSE(dispatcher.raise(platform, other_control));
    EXPECT_FALSE(other_event.has_result);
    EXPECT_EQ(calls, 0);
}

TEST_F(DispatcherTest, FirstMatchingBindingGetsTheParametersAndGivesTheResult) {
    form.control(ControlId::标签1).bindings = {Binding{Event::feedback, give_seven},
                                              Binding{Event::feedback, give_zero}};
    Dispatcher dispatcher(form);
    EventRecord record{ControlId::标签1, Event::feedback, {33001, 0, 0, 0, 0}};
    ASSERT_TRUE(dispatcher.raise(platform, record));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seen[0], 33001);
    EXPECT_TRUE(record.has_result);
    EXPECT_EQ(record.result, 7);
}

TEST_F(DispatcherTest, WindowBindingsServeTheMainWindow) {
    form.window.bindings = {Binding{Event::created, give_nothing}};
    Dispatcher dispatcher(form);
    EventRecord record{ControlId::主窗口, Event::created};
    EXPECT_TRUE(dispatcher.raise(platform, record));
    EXPECT_FALSE(record.has_result);
}

TEST(HandlerResultTest, SourcesApplyResults) {
    struct Case {
        bool raised, has_result;
        std::int32_t result;
        bool withheld;
        std::int32_t returned;
    };
    for (const Case& c : {Case{false, false, 0, false, 0}, Case{true, false, 0, false, 0},
                          Case{true, true, 0, true, 0}, Case{true, true, 1, false, 1},
                          Case{true, true, -5, false, -5}}) {
        const EventRecord record{ControlId::编辑框1, Event::key_down, {}, c.has_result, c.result};
        EXPECT_EQ(withholds_key(c.raised, record), c.withheld) << c.raised << c.has_result << c.result;
        EXPECT_EQ(feedback_return(c.raised, record), c.returned) << c.raised << c.has_result << c.result;
    }
}

// Each event the form binds reaches its handler of the typing test; the
// first platform call shows which handler ran.
struct BindingCase {
    ControlId control;
    Event event;
    EventParams params;
    const char* first_call;
};

class MainFormBindingTest : public ::testing::TestWithParam<BindingCase> {};

TEST_P(MainFormBindingTest, ReachesTheHandler) {
    const BindingCase& c = GetParam();
    RecordingPlatform platform;
    Dispatcher dispatcher(main_form());
    EventRecord record{c.control, c.event, c.params};
    ASSERT_TRUE(dispatcher.raise(platform, record));
    EXPECT_FALSE(record.has_result);
    ASSERT_FALSE(platform.calls.empty());
    EXPECT_EQ(platform.calls.front(), c.first_call);
}

INSTANTIATE_TEST_SUITE_P(
    Bindings, MainFormBindingTest,
    ::testing::Values(
        BindingCase{ControlId::按钮1, Event::click, {}, "write_text 6 0秒"},          // start action
        BindingCase{ControlId::按钮2, Event::click, {}, "write_int 8 0"},              // stop action
        BindingCase{ControlId::时钟计时, Event::periodic, {}, "read_text"},            // tick
        BindingCase{ControlId::选择框1, Event::click, {}, "write_int 3 1"},            // one-minute lock
        BindingCase{ControlId::编辑框1, Event::key_down, {13, 0}, "press_keys 8 0 0"},  // Enter guard
        BindingCase{ControlId::时钟清除剪辑版, Event::periodic, {}, "clear_clipboard"},  // clipboard guard
        BindingCase{ControlId::主窗口, Event::created, {}, "handle"}));                // hotkey setup

TEST(MainFormBindingTest, NothingElseIsBound) {
    RecordingPlatform platform;
    Dispatcher dispatcher(main_form());
    for (ControlId control : {ControlId::标签2, ControlId::标签1, ControlId::编辑框1, ControlId::按钮1}) {
        for (Event event : {Event::created, Event::periodic}) {
            EventRecord record{control, event};
            EXPECT_FALSE(dispatcher.raise(platform, record));
        }
    }
    EventRecord label2{ControlId::标签2, Event::feedback};
    EXPECT_FALSE(dispatcher.raise(platform, label2));
}

}  // namespace
}  // namespace kestrava
