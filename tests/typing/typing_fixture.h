// A fresh main window for every test, with the hotkey ids back at 0.
#pragma once

#include <gtest/gtest.h>

#include "tests/typing/fake_platform.h"
#include "typing/hotkey_routing.h"

namespace kestrava::testing {

class TypingTest : public ::testing::Test {
protected:
    TypingTest() { f2_hotkey_id = f3_hotkey_id = 0; }
    ~TypingTest() override { f2_hotkey_id = f3_hotkey_id = 0; }

    bool running() { return fake.timers[ControlId::时钟计时].running; }

    FakePlatform fake;
};

}  // namespace kestrava::testing
