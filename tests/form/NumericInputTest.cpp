#include <gtest/gtest.h>

#include <initializer_list>

#include "form/NumericInput.h"

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

TEST(NumericFieldText, KeepsWhatTypingWouldHaveKept) {
    EXPECT_EQ(NumericFieldText("1920px"), "1920");
    EXPECT_EQ(NumericFieldText("-5 px"), "-5");
    EXPECT_EQ(NumericFieldText("1,920"), "1920");
    EXPECT_EQ(NumericFieldText("12.5%"), "12");
    EXPECT_EQ(NumericFieldText("abc"), std::nullopt);
    EXPECT_EQ(NumericFieldText("--"), std::nullopt);
}

}  // namespace
}  // namespace tonzug
