// Key word, modifier state and keypad folding of the key pre-processing.
#include <gtest/gtest.h>

#include "window/key_rules.h"

namespace kestrava {
namespace {

struct KeyCase {
    const char* what;
    std::int32_t wparam;
    ModifierKeys held;
    std::int32_t word, code, modifiers;
};

class KeyWordTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyWordTest, GivesWordCodeAndModifierState) {
    const KeyCase& c = GetParam();
    const std::int32_t word = key_word(c.wparam, c.held);
    EXPECT_EQ(word, c.word) << c.what;
    EXPECT_EQ(event_key_code(word), c.code) << c.what;
    EXPECT_EQ(modifier_state(word), c.modifiers) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyWordTest,
    ::testing::Values(
        KeyCase{"plain Enter", 13, {}, 13, 13, 0},
        KeyCase{"Ctrl+Enter", 13, {true, false, false}, 13 | 0x2000, 13, 1},
        KeyCase{"Shift+Enter", 13, {false, true, false}, 13 | 0x4000, 13, 2},
        KeyCase{"Alt+Enter", 13, {false, false, true}, 13 | 0x8000, 13, 4},
        KeyCase{"Ctrl+Shift+Alt+A", 'A', {true, true, true}, 'A' | 0xE000, 'A', 7},
        KeyCase{"Ctrl alone carries no Ctrl bit", 17, {true, false, false}, 17, 17, 0},
        KeyCase{"Shift alone carries no Shift bit", 16, {false, true, false}, 16, 16, 0},
        KeyCase{"Alt alone carries no Alt bit", 18, {false, false, true}, 18, 18, 0},
        KeyCase{"Shift held with Ctrl pressed", 17, {true, true, false}, 17 | 0x4000, 17, 2},
        KeyCase{"only the low 8 bits of wParam", 0x1234 | 13, {}, 0x34 | 13, 0x34 | 13, 0},
        KeyCase{"keypad 7 with Shift", 103, {false, true, false}, 103 | 0x4000, '7', 2}));

TEST(KeypadFoldTest, KeypadReportsTheMainKeys) {
    for (std::int32_t digit = 0; digit <= 9; ++digit) EXPECT_EQ(fold_keypad(96 + digit), '0' + digit);
    EXPECT_EQ(fold_keypad(109), 189);  // minus
    EXPECT_EQ(fold_keypad(110), 190);  // point
    EXPECT_EQ(fold_keypad(111), 191);  // slash
}

TEST(KeypadFoldTest, OtherCodesPassUnchanged) {
    for (std::int32_t code : {106, 107, 108, 95, 112, 13, 8, 48, 57, 189, 190, 191})
        EXPECT_EQ(fold_keypad(code), code) << code;
}

}  // namespace
}  // namespace kestrava
