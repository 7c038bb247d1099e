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

TEST(FileDialogRequest, SaveDialogDefaultsToTheFirstType) {
    const FileDialogRequest request =
        BuildSaveDialogRequest("Bitmap Truecolor|HTML", "bmp|htm;*.html", "", "..", ".");
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_EQ(request.defaultExtension, "bmp");
    EXPECT_EQ(request.startFolder, "");  // a relative folder is no start folder
    EXPECT_EQ(FilterExtension(request.filters[0]), "");
    EXPECT_EQ(FilterExtension(request.filters[2]), "htm");
    EXPECT_EQ(FilterString(request.filters[2]), "HTML (*.htm *.html)");
    // Lists of different lengths offer the first type only.
    const FileDialogRequest uneven = BuildSaveDialogRequest("PNG|JPEG", "png", "T", "", "");
    EXPECT_EQ(DisplayTexts(uneven),
              (std::vector<std::string>{"Alle Dateien (*.*)", "PNG (*.png)"}));
    EXPECT_EQ(uneven.title, "T");
}

TEST(FileDialogRequest, OpenDialogTakesTheCallersIndexWhenInRange) {
    const auto index = [](std::int32_t wish) {
        return BuildOpenDialogRequest("Tonzugs-Parameter", "tzg", "", "", "", wish).filterIndex;
    };
    EXPECT_EQ(index(0), 2);
    EXPECT_EQ(index(1), 1);
    EXPECT_EQ(index(3), 2);
    const FileDialogRequest untyped = BuildOpenDialogRequest("", "txt", "", "\\home\\a\\", "n", 0);
    EXPECT_EQ(untyped.title, "Datei öffnen :");
    EXPECT_EQ(untyped.filters.size(), 1u);
    EXPECT_EQ(untyped.filterIndex, 1);
    EXPECT_EQ(untyped.startFolder, "/home/a/");
}

}  // namespace
}  // namespace tonzug
