// Runs the end-to-end scenarios. The first failure of a scenario leaves a
// screenshot of the whole screen beside the scenario's log.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "tests/e2e/child_process.h"
#include "tests/e2e/e2e_fixture.h"

namespace {

class ScreenshotOnFailure : public testing::EmptyTestEventListener {
    // The scenario's name is taken here: gtest is locked while it reports a failure.
    void OnTestStart(const testing::TestInfo& scenario) override {
        taken_ = false;
        screenshot_ = scenario_artifact(scenario, ".png");
        log_ = scenario_artifact(scenario, ".log");
    }

    void OnTestPartResult(const testing::TestPartResult& result) override {
        if (!result.failed() || taken_ || !std::getenv("DISPLAY")) return;
        taken_ = true;
        CommandResult shot =
            run_command({"import", "-window", "root", screenshot_}, std::chrono::seconds(20));
        std::cout << (shot.exit_code == 0 ? "screenshot: " : "no screenshot could be taken: ")
                  << screenshot_ << "\nlog: " << log_ << std::endl;
    }

    bool taken_ = false;
    std::string screenshot_;
    std::string log_;
};

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);  // a probe that has gone is reported, not fatal
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(std::make_unique<ScreenshotOnFailure>().release());  // gtest owns it
    return RUN_ALL_TESTS();
}
