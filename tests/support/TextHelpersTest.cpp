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

TEST(TextHelpers, EscapeControlsKeepsOneHarmlessLine) {
    EXPECT_EQ(EscapeControls("a\tb\r\n\x1b[31m\x7f"), "a\\tb\\r\\n\\x1b[31m\\x7f");
    EXPECT_EQ(EscapeControls("Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC"), "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC");
    EXPECT_EQ(EscapeControls("\xC2\x9B"
                             "2J \x9B \xC3"),
              "\\u009b2J \\x9b \\xc3");
}

}  // namespace
}  // namespace tonzug
