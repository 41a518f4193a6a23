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
    void OnTestStart(const testing::TestInfo&) override { taken_ = false; }

    void OnTestPartResult(const testing::TestPartResult& result) override {
        if (!result.failed() || taken_ || !std::getenv("DISPLAY")) return;
        taken_ = true;
        std::string file = scenario_artifact(".png");
        CommandResult shot = run_command({"import", "-window", "root", file}, std::chrono::seconds(20));
        std::cout << (shot.exit_code == 0 ? "screenshot: " : "no screenshot could be taken: ") << file
                  << "\nlog: " << scenario_artifact(".log") << std::endl;
    }

    bool taken_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);  // a probe that has gone is reported, not fatal
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(std::make_unique<ScreenshotOnFailure>().release());  // gtest owns it
    return RUN_ALL_TESTS();
}
