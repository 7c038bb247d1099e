#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FileDialogRequest.h"

namespace tonzug {
namespace {

std::vector<std::string> DisplayTexts(const FileDialogRequest& request) {
    std::vector<std::string> texts;
    for (const FileFilter& filter : request.filters) {
        texts.push_back(filter.displayText);
    }
    return texts;
}

TEST(SplitList, ClosesLastItemAndHonoursFlags) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitList("a| b |", "|", CompareMode::kExact, true, false), (V{"a", "b", ""}));
    EXPECT_EQ(SplitList("a| b |", "|", CompareMode::kExact, false, true), (V{"a", " b "}));
    EXPECT_EQ(SplitList("1x2X3", "x", CompareMode::kIgnoreCase, false, false), (V{"1", "2", "3"}));
    EXPECT_EQ(SplitList("a::b", "::", CompareMode::kExact, false, false), (V{"a", "b"}));
    EXPECT_TRUE(SplitList("abc", "", CompareMode::kExact, false, false).empty());
    EXPECT_EQ(FirstExtension(" htm ;*.html"), "htm");
}

TEST(FileDialogRequest, SaveDialogDefaults) {
    const FileDialogRequest request =
        BuildSaveDialogRequest("Bitmap Truecolor", "bmp", "", "..", ".");
    EXPECT_EQ(request.kind, FileDialogKind::kSave);
    EXPECT_EQ(request.title, "Datei speichern :");
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_EQ(request.defaultExtension, "bmp");
    EXPECT_EQ(request.startFolder, "");  // a relative folder is no start folder
}

TEST(FileDialogRequest, TypeListsOfDifferentLengthsOfferTheFirstTypeOnly) {
    const FileDialogRequest request = BuildSaveDialogRequest("PNG|JPEG", "png", "T", "", "");
    EXPECT_EQ(DisplayTexts(request),
              (std::vector<std::string>{"Alle Dateien (*.*)", "PNG (*.png)"}));
    EXPECT_EQ(request.title, "T");
}

// Several types: a bare name gets the first type's extension, or that of the type chosen.
TEST(FileDialogRequest, SeveralTypesDefaultToTheFirstTypesExtension) {
    const FileDialogRequest request =
        BuildSaveDialogRequest("PNG-Bildatei|SVG-Grafik", "png|svg", "", "", "");
    EXPECT_EQ(request.defaultExtension, "png");
    EXPECT_EQ(FilterExtension(request.filters[0]), "");
    EXPECT_EQ(FilterExtension(request.filters[2]), "svg");
    EXPECT_EQ(FilterExtension({"Web", "*.htm;*.html"}), "htm");
}

TEST(FileDialogRequest, NoTypesPreselectAllFiles) {
    const FileDialogRequest request = BuildOpenDialogRequest("", "txt", "", "", "", 0);
    EXPECT_EQ(request.kind, FileDialogKind::kOpen);
    EXPECT_EQ(request.title, "Datei öffnen :");
    EXPECT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(request.defaultExtension, "txt");
}

TEST(FileDialogRequest, OpenDialogTakesTheCallersIndexWhenInRange) {
    const auto index = [](std::int32_t wish) {
        return BuildOpenDialogRequest("Tonzugs-Parameter", "tzg", "", "", "", wish).filterIndex;
    };
    EXPECT_EQ(index(0), 2);
    EXPECT_EQ(index(1), 1);
    EXPECT_EQ(index(3), 2);
}

TEST(FileDialogRequest, StartFolderUsesForwardSlashes) {
    EXPECT_EQ(BuildOpenDialogRequest("", "", "", "\\home\\a\\", "n.tzg", 1).startFolder,
              "/home/a/");
    EXPECT_EQ(BuildOpenDialogRequest("", "", "", "/home/a", "n.tzg", 1).defaultName, "n.tzg");
}

TEST(FileDialogRequest, QtFilterStrings) {
    const FileDialogRequest request =
        BuildSaveDialogRequest("Bitmap Truecolor|HTML", "bmp|htm;*.html", "", "", "");
    ASSERT_EQ(request.filters.size(), 3u);
    EXPECT_EQ(request.filters[2].displayText, "HTML (*.htm;*.html)");
    EXPECT_EQ(FilterString(request.filters[0]), "Alle Dateien (*)");
    EXPECT_EQ(FilterString(request.filters[1]), "Bitmap Truecolor (*.bmp)");
    EXPECT_EQ(FilterString(request.filters[2]), "HTML (*.htm *.html)");
}

}  // namespace
}  // namespace tonzug
