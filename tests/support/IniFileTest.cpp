#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "support/IniFile.h"
#include "support/TempFolder.h"

namespace tonzug {
namespace {

using testing::ReadWholeFile;
using testing::TempFolder;
using testing::WriteWholeFile;

TEST(IniFile, MissingFileSectionKeyOrEmptyValueGiveTheDefault) {
    TempFolder folder;
    const std::string path = folder.File("a.ini");
    EXPECT_EQ(ReadIniInt(path, "LAST", "X", 7), 7);
    EXPECT_EQ(ReadIniString(path, "LAST", "X", "d"), "d");
    WriteWholeFile(path, "[LAST]\nX=\nY=abc\nZ=  -12px\nBIG=99999999999\nNEG=-99999999999\n");
    EXPECT_EQ(ReadIniString(path, "LAST", "X", "d"), "d");
    EXPECT_EQ(ReadIniInt(path, "LAST", "X", 7), 7);
    EXPECT_EQ(ReadIniInt(path, "LAST", "Y", 7), 7);
    EXPECT_EQ(ReadIniInt(path, "LAST", "Z", 7), -12);
    EXPECT_EQ(ReadIniInt(path, "LAST", "BIG", 0), 2147483647);
    EXPECT_EQ(ReadIniInt(path, "LAST", "NEG", 0), -2147483647 - 1);
    EXPECT_EQ(ReadIniInt(path, "OTHER", "Z", 7), 7);
    EXPECT_EQ(ReadIniInt(path, "LAST", "W", 7), 7);
}

TEST(IniFile, ReadsIgnoringCaseBlanksCommentsAndCrlf) {
    TempFolder folder;
    const std::string path = folder.File("a.ini");
    WriteWholeFile(path,
                   "; comment\r\n[other]\r\nX=1\r\n  [ Last ]  \r\n;X=2\r\n#X=3\r\n  x = a b \r\n");
    EXPECT_EQ(ReadIniString(path, "LAST", "X", ""), "a b");
    EXPECT_EQ(ReadIniInt(path, "OTHER", "x", 0), 1);
}

TEST(IniFile, LongValueIsCutWithoutSplittingACharacter) {
    TempFolder folder;
    const std::string path = folder.File("a.ini");
    const std::string value(5000, 'v');
    ASSERT_NE(WriteIniString(path, "LAST", "K", value), 0);
    EXPECT_EQ(ReadIniString(path, "LAST", "K", ""), std::string(4095, 'v'));
    // "ä" is two bytes; the one straddling the limit is dropped whole.
    std::string umlauts;
    for (int i = 0; i < 2100; ++i) {
        umlauts += "ä";
    }
    ASSERT_NE(WriteIniString(path, "LAST", "K", umlauts), 0);
    EXPECT_EQ(ReadIniString(path, "LAST", "K", "").size(), 4094u);
}

TEST(IniFile, WritingKeepsEverythingElseInPlace) {
    TempFolder folder;
    const std::string path = folder.File("a.ini");
    WriteWholeFile(path, "; settings\n[LAST]\nX=1\n; note\nY=2\n\n[OTHER]\nA=b\n");
    ASSERT_NE(WriteIniString(path, "last", "x", "10"), 0);
    ASSERT_NE(WriteIniString(path, "LAST", "X", "-5"), 0);  // twice: one entry
    ASSERT_NE(WriteIniString(path, "LAST", "NEW", "n"), 0);
    ASSERT_NE(WriteIniString(path, "THIRD", "K", "v"), 0);
    EXPECT_EQ(ReadWholeFile(path),
              "; settings\n[LAST]\nX=-5\n; note\nY=2\nNEW=n\n\n[OTHER]\nA=b\n[THIRD]\nK=v\n");
    EXPECT_EQ(ReadIniInt(path, "LAST", "X", 0), -5);
}

TEST(IniFile, CrlfFileStaysCrlf) {
    TempFolder folder;
    const std::string path = folder.File("a.ini");
    WriteWholeFile(path, "\xEF\xBB\xBF[LAST]\r\nX=1\r\n");
    ASSERT_NE(WriteIniString(path, "LAST", "Y", "2"), 0);
    EXPECT_EQ(ReadWholeFile(path), "\xEF\xBB\xBF[LAST]\r\nX=1\r\nY=2\r\n");
    EXPECT_EQ(ReadIniInt(path, "LAST", "X", 0), 1);
}

TEST(IniFile, BatchSaveWritesAllKeysInOneFile) {
    TempFolder folder;
    const std::string path = folder.File("Tonzug.ini");
    IniDocument document;
    EXPECT_FALSE(document.Load(path));
    for (const char* key : {"STCOL", "EDCOL", "X"}) {
        EXPECT_TRUE(document.Set("LAST", key, "0"));
    }
    ASSERT_TRUE(document.Save(path));
    EXPECT_EQ(ReadWholeFile(path), "[LAST]\nSTCOL=0\nEDCOL=0\nX=0\n");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Tonzug.ini"});
}

TEST(IniFile, RefusesTextThatWouldBreakTheFile) {
    TempFolder folder;
    const std::string path = folder.File("a.ini");
    WriteWholeFile(path, "[LAST]\nX=1\n");
    EXPECT_EQ(WriteIniString(path, "LAST", "X", "2\n[EVIL]\nK=1"), 0);
    EXPECT_EQ(WriteIniString(path, "LAST", "A=B", "1"), 0);
    EXPECT_EQ(WriteIniString(path, "LA]ST", "X", "1"), 0);
    EXPECT_EQ(WriteIniString(path, "LAST", "", "1"), 0);
    EXPECT_EQ(WriteIniString(path, "LAST", ";X", "1"), 0);
    EXPECT_EQ(ReadWholeFile(path), "[LAST]\nX=1\n");
}

TEST(IniFile, DocumentThatCouldNotBeReadIsNeverSaved) {
    TempFolder folder;
    IniDocument document;
    EXPECT_FALSE(document.Load(folder.Path()));  // a folder: opens, but cannot be read
    EXPECT_TRUE(document.Set("LAST", "X", "1"));
    EXPECT_FALSE(document.Save(folder.File("a.ini")));
    EXPECT_TRUE(folder.Entries().empty());
}

TEST(IniFile, FailedWritesLeaveOldContentAndNoTemporaryFiles) {
    TempFolder folder;
    EXPECT_EQ(WriteIniString(folder.File("missing/a.ini"), "LAST", "X", "1"), 0);

    const std::string path = folder.File("a.ini");
    WriteWholeFile(path, "[LAST]\nX=1\n");
    ASSERT_EQ(chmod(path.c_str(), 0200), 0);  // write-only: cannot be read back first
    if (ReadWholeFile(path).empty()) {        // running as root would still read it
        EXPECT_EQ(WriteIniString(path, "LAST", "Y", "2"), 0);
        ASSERT_EQ(chmod(path.c_str(), 0600), 0);
        EXPECT_EQ(ReadWholeFile(path), "[LAST]\nX=1\n");
    }
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);

    ASSERT_EQ(chmod(folder.Path().c_str(), 0500), 0);  // no new files in the folder
    if (access(folder.Path().c_str(), W_OK) != 0) {
        EXPECT_EQ(WriteIniString(path, "LAST", "X", "2"), 0);
        EXPECT_EQ(ReadWholeFile(path), "[LAST]\nX=1\n");
    }
    ASSERT_EQ(chmod(folder.Path().c_str(), 0700), 0);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a.ini"});
}

}  // namespace
}  // namespace tonzug
