#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/TextHelpers.h"

namespace tonzug {
namespace {

TEST(FilterNumericKey, PassesDigitsSignsAndEditingKeysOnly) {
    for (const std::int16_t code :
         std::initializer_list<std::int16_t>{'0', '5', '9', '+', '-', 8, 9, 13, 3, 22, 24}) {
        std::int16_t key = code;
        EXPECT_TRUE(FilterNumericKey(key)) << code;
        EXPECT_EQ(key, code);
    }
    // Letters, full stop, comma, blank, Ctrl+Z, Ctrl+A, a wide character.
    for (const std::int16_t code :
         std::initializer_list<std::int16_t>{'a', 'Z', '.', ',', ' ', 26, 1, '/', ':', 0x20AC}) {
        std::int16_t key = code;
        EXPECT_FALSE(FilterNumericKey(key)) << code;
        EXPECT_EQ(key, 0);
    }
}

TEST(MaxMin, TieKeepsTheEarlierValue) {
    EXPECT_EQ(MaxOf(0.2, 0.7, 0.7), 0.7);
    EXPECT_EQ(MinOf(0.2, 0.7, 0.1), 0.1);
    // Equal as numbers: the earlier, here the negative zero, is kept.
    EXPECT_TRUE(std::signbit(MaxOf(-0.0, 0.0)));
    EXPECT_TRUE(std::signbit(MinOf(-0.0, 0.0)));
}

TEST(TextHelpers, EscapeControlsKeepsOneHarmlessLine) {
    EXPECT_EQ(EscapeControls("a\tb\r\n\x1b[31m\x7f"), "a\\tb\\r\\n\\x1b[31m\\x7f");
    EXPECT_EQ(EscapeControls("Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC"), "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC");
    EXPECT_EQ(EscapeControls("\xC2\x9B"
                             "2J \x9B \xC3"),
              "\\u009b2J \\x9b \\xc3");
}

}  // namespace
}  // namespace tonzug
