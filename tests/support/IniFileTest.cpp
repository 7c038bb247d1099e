#include "support/IniFile.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/TempFolder.h"

namespace tonzug {
namespace {

using testing::ReadWholeFile;
using testing::TempFolder;
using testing::WriteWholeFile;

// A document read from a file holding `text`.
IniDocument Loaded(const TempFolder& folder, const std::string& text) {
    const std::string path = folder.File("a.ini");
    WriteWholeFile(path, text);
    IniDocument document;
    EXPECT_TRUE(document.Load(path));
    return document;
}

TEST(IniValues, MissingOrEmptyGiveTheFallbackIntegersSaturate) {
    EXPECT_EQ(IniStringValue(std::nullopt, "d"), "d");
    EXPECT_EQ(IniStringValue("", "d"), "d");
    EXPECT_EQ(IniIntValue("abc", 7), 7);
    EXPECT_EQ(IniIntValue("-12px", 7), -12);
    EXPECT_EQ(IniIntValue("99999999999", 0), 2147483647);
    EXPECT_EQ(IniIntValue("-99999999999", 0), -2147483647 - 1);
    EXPECT_EQ(IniIntegerText("-0099999999999x"), "-99999999999");
    // A long value is cut without splitting a character ("ä" is two bytes).
    EXPECT_EQ(IniStringValue(std::string(5000, 'v'), ""), std::string(4095, 'v'));
    std::string umlauts;
    for (int i = 0; i < 2100; ++i) {
        umlauts += "ä";
    }
    EXPECT_EQ(IniStringValue(umlauts, "").size(), 4094u);
}

TEST(IniDocument, ReadsIgnoringCaseBlanksCommentsAndCrlf) {
    TempFolder folder;
    const IniDocument document = Loaded(
        folder,
        "; comment\r\n[other]\r\nX=1\r\n  [ Last ]  \r\n;X=2\r\n#X=3\r\n  x = a b \r\nx=c\r\n");
    EXPECT_EQ(document.Get("LAST", "X"), "a b");
    const std::optional<IniSection> section = document.Section("last");
    ASSERT_TRUE(section.has_value());
    EXPECT_EQ(section->Get("x"), "a b");  // the first of two equal keys
    EXPECT_EQ(section->Get("Y"), std::nullopt);
    EXPECT_EQ(document.Section("OTHER")->Get("X"), "1");
    EXPECT_FALSE(document.Section("THIRD").has_value());
}

TEST(IniDocument, WritingKeepsEverythingElseInPlaceAndTheLineEnds) {
    TempFolder folder;
    IniDocument document = Loaded(folder, "; settings\n[LAST]\nX=1\n; note\nY=2\n\n[OTHER]\nA=b\n");
    ASSERT_TRUE(document.Set("last", "x", "10"));
    ASSERT_TRUE(document.Set("LAST", "X", "-5"));  // twice: one entry, spelled as in the file
    ASSERT_TRUE(document.Set("LAST", "NEW", "n"));
    ASSERT_TRUE(document.Set("THIRD", "K", "v"));
    EXPECT_EQ(document.Text(),
              "; settings\n[LAST]\nX=-5\n; note\nY=2\nNEW=n\n\n[OTHER]\nA=b\n[THIRD]\nK=v\n");

    IniDocument crlf = Loaded(folder, "\xEF\xBB\xBF[LAST]\r\nX=1\r\n");
    ASSERT_TRUE(crlf.Set("LAST", "Y", "2"));
    ASSERT_TRUE(crlf.Save(folder.File("b.ini")));
    EXPECT_EQ(ReadWholeFile(folder.File("b.ini")), "\xEF\xBB\xBF[LAST]\r\nX=1\r\nY=2\r\n");
}

TEST(IniDocument, RefusesTextThatWouldBreakTheFile) {
    TempFolder folder;
    IniDocument document = Loaded(folder, "[LAST]\nX=1\n");
    EXPECT_FALSE(document.Set("LAST", "X", "2\n[EVIL]\nK=1"));
    EXPECT_FALSE(document.Set("LAST", "A=B", "1"));
    EXPECT_FALSE(document.Set("LA]ST", "X", "1"));
    EXPECT_FALSE(document.Set("LAST", "", "1"));
    EXPECT_FALSE(document.Set("LAST", ";X", "1"));
    EXPECT_EQ(document.Text(), "[LAST]\nX=1\n");
}

TEST(IniDocument, FailedReadsAndWritesLeaveFilesAsTheyWere) {
    TempFolder folder;
    IniDocument unreadable;
    EXPECT_FALSE(unreadable.Load(folder.Path()));  // a folder: no file to read
    EXPECT_FALSE(unreadable.LoadProblem().empty());
    EXPECT_TRUE(unreadable.Set("LAST", "X", "1"));
    EXPECT_FALSE(unreadable.Save(folder.File("a.ini")));  // would lose what it could not read

    IniDocument fresh;
    EXPECT_FALSE(fresh.Load(folder.File("missing.ini")));
    EXPECT_TRUE(fresh.LoadProblem().empty());
    ASSERT_TRUE(fresh.Set("LAST", "X", "1"));
    EXPECT_FALSE(fresh.Save(folder.File("missing/a.ini")));
    ASSERT_TRUE(fresh.Save(folder.File("Tonzug.ini")));
    EXPECT_EQ(ReadWholeFile(folder.File("Tonzug.ini")), "[LAST]\nX=1\n");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Tonzug.ini"});
}

}  // namespace
}  // namespace tonzug
