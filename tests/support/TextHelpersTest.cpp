#include <gtest/gtest.h>

#include <string>

#include "support/TextHelpers.h"

namespace tonzug {
namespace {

TEST(TextHelpers, EscapeControlsKeepsOneHarmlessLine) {
    EXPECT_EQ(EscapeControls("a\tb\r\n\x1b[31m\x7f"), "a\\tb\\r\\n\\x1b[31m\\x7f");
    EXPECT_EQ(EscapeControls("Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC"), "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC");
    EXPECT_EQ(EscapeControls("\xC2\x9B"
                             "2J \x9B \xC3"),
              "\\u009b2J \\x9b \\xc3");
}

}  // namespace
}  // namespace tonzug
