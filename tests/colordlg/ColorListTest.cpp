#include "colordlg/ColorList.h"

#include <gtest/gtest.h>

#include <set>

#include "color/SystemColors.h"

namespace tonzug {
namespace {

TEST(ColorListTest, HoldsTheSystemThenTheStandardColoursInOrder) {
    ResetSystemColors();
    SetSystemColor(1, RgbColor(1, 2, 3));
    const std::vector<ColorListItem> items = BuildColorList();
    ASSERT_EQ(items.size(), static_cast<std::size_t>(kColorListCount));
    EXPECT_EQ(items[25].name, "Schwarz");  // the first standard colour
    EXPECT_EQ(items.back().key, "K000040");
    EXPECT_EQ(items[1].tag, "197121|-2147483647");  // the desktop as the table holds it now
    EXPECT_EQ(items[37].tag, "255|255");

    std::set<std::string> names;
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_FALSE(items[i].name.empty()) << i;
        names.insert(items[i].name);
        const ColorTag tag = ParseColorTag(items[i].tag);
        EXPECT_EQ(tag.value, items[i].value);
        EXPECT_EQ(tag.rgb, TranslateColor(items[i].value));
    }
    EXPECT_EQ(names.size(), items.size());
    ResetSystemColors();
}

// Names for listed values only; a tag without a value leaves the preview free.
TEST(ColorListTest, NamesAndTagsKnowOnlyListedValues) {
    ColorValue translated = 0;
    EXPECT_EQ(ColorName(SystemColor(24), translated), "Quickinfo");
    EXPECT_EQ(translated, TranslateColor(SystemColor(24)));
    EXPECT_EQ(ColorName(SystemColor(25), translated), "");
    EXPECT_EQ(translated, kNoColor);
    EXPECT_EQ(StandardColor(9), 0xFF0000);  // blue in the BGR layout
    EXPECT_EQ(StandardColor(16), kNoColor);
    const ColorTag tag = ParseColorTag("  42 ");
    EXPECT_EQ(tag.rgb, 42);
    EXPECT_EQ(tag.value, kNoColor);
    EXPECT_EQ(ParseColorTag("1|2|3").value, 2);
    EXPECT_EQ(ParseColorTag("9e99|1").rgb, kNoColor);
}

}  // namespace
}  // namespace tonzug
