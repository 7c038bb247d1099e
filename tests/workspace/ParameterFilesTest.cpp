#include "workspace/ParameterFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/IniFile.h"
#include "support/Numbers.h"
#include "testing/TempFolder.h"
#include "workspace/GradientFiles.h"
#include "workspace/ParameterKeys.h"
#include "workspace/RandomSet.h"
#include "workspace/RecentFiles.h"
#include "workspace/WindowSize.h"

namespace tonzug {
namespace {

using testing::RandomSet;
using testing::ReadWholeFile;
using testing::TempFolder;
using testing::Values;
using testing::WriteWholeFile;

class ParameterFilesTest : public ::testing::Test {
  protected:
    void SetUp() override { SetUserNumberFormat({'.', ','}); }

    TempFolder folder;
    ParameterForm form;
};

// The thirteen keys of old come first and in their order; newer keys follow.
TEST_F(ParameterFilesTest, DefaultsAreSavedAsTheOldKeysInOrderThenTheNewOnes) {
    LoadDefaults(form);
    const std::string file = folder.File("defaults.tzg");
    ASSERT_TRUE(SaveParameters(form, file));
    EXPECT_EQ(ReadWholeFile(file),
              "[LAST]\nSTCOL=16777215\nEDCOL=0\nX=25\nY=256\nMID=50\nM=128\nMBR=1\nSBR=1\n"
              "EBR=1\nMDCOL=16777215\nMDCHK=0\nOPT=1\nFRB=0\nHUE=0\nDEPTH=8\nDITHER=0\nGRADIENT="
              "\nEASING=\n");
}

TEST_F(ParameterFilesTest, EverySavableSetLoadsBackUnchangedOverAnyState) {
    std::mt19937 random(20240611);
    const std::string file = folder.File("round.tzg");
    for (int round = 0; round < 300; ++round) {
        ParameterForm saved;
        RandomSet(saved, random, static_cast<Orientation>(round % 3));
        ASSERT_TRUE(SaveParameters(saved, file));
        ParameterForm loaded;  // the start-up state, or another saved set
        if (round % 2 == 1) {
            RandomSet(loaded, random, static_cast<Orientation>((round + 1) % 3));
        }
        const LoadResult result = LoadParameters(loaded, file);
        ASSERT_TRUE(result.Loaded());
        ASSERT_TRUE(result.replacedKeys.empty()) << ReadWholeFile(file);
        ASSERT_EQ(Values(loaded), Values(saved)) << ReadWholeFile(file);
    }
}

TEST_F(ParameterFilesTest, ValuesAreReadAsWritten) {
    for (const auto& [line, expected] : {std::pair{"STCOL=#FF8000", "33023"},
                                         {"MDCOL=rgb(0 255 0)", "65280"},
                                         {"EDCOL=-2147483633", "-2147483633"},  // button face
                                         {"X=3000000000", "3000000000"},
                                         {"Y=0256.7", "256"},
                                         {"DEPTH=16", "16"},
                                         {"FRB=3", "3"}}) {
        const std::string file = folder.File("value.tzg");
        WriteWholeFile(file, std::string("[LAST]\n") + line + "\nOPT=0\n");
        ParameterForm loaded;
        EXPECT_TRUE(LoadParameters(loaded, file).replacedKeys.empty()) << line;
        const std::string key(line, std::string_view(line).find('='));
        EXPECT_EQ(ControlText(loaded, *FindParameterKey(key)), expected) << line;
    }
}

// Values that are not valid are named, and limited or replaced by the default; the middle
// colour stays as it was.
TEST_F(ParameterFilesTest, ValuesThatAreNotValidAreReplacedAndNamed) {
    const std::string file = folder.File("wrong.tzg");
    WriteWholeFile(file,
                   "[LAST]\nSTCOL=nocolour\nEDCOL=16777216\nX=-5\nY=abc\nMID=50\nMBR=2 px\n"
                   "SBR=\nEBR=1\nMDCOL=#ff000080\nMDCHK=5\nOPT=5\nFRB=1\nHUE=7\nDEPTH=12\n");
    form.colMid.SetColor(0x0000FF);
    form.optV.Select(Orientation::kHorizontal);
    const LoadResult result = LoadParameters(form, file);
    EXPECT_EQ(result.replacedKeys,
              (std::vector<std::string>{"STCOL", "EDCOL", "X", "Y", "MBR", "SBR", "MDCOL", "MDCHK",
                                        "OPT", "HUE", "DEPTH"}));
    EXPECT_NE(ReplacedValuesNote(result).find(
                  "for STCOL, EDCOL, X, Y, MBR, SBR, MDCOL, MDCHK, OPT, HUE and DEPTH,"),
              std::string::npos);
    EXPECT_EQ(Values(form),
              (std::vector<std::string>{"16777215", "0", "1", "256", "50", form.txtM.Text(), "2",
                                        "1", "1", "255", "0", "1", "1", "0", "8", "0", "", ""}));
}

TEST_F(ParameterFilesTest, RefusedFileLeavesTheFormAndTheFileAsTheyWere) {
    // The limit is a whole MiB: one byte more is refused, a file of exactly that size is read.
    const std::string large = folder.File("large.tzg");
    const std::string head = "[LAST]\nX=7\n";
    WriteWholeFile(large, head + std::string(kMaxIniFileBytes - head.size() + 1, '\n'));
    const std::string text = folder.File("notes.txt");
    WriteWholeFile(text, "X=7\nsome notes\n");
    struct Case {
        std::string path;
        std::string problem;
        bool unreadable;
    };
    for (const Case& c :
         {Case{large, "larger than 1 MiB", true}, Case{"/dev/zero", "not a regular file", true},
          Case{folder.Path(), "Is a directory", true}, Case{text, "not a parameter file", false},
          Case{folder.File("none.tzg"), "No such file", false}}) {
        std::mt19937 random(1);
        RandomSet(form, random, Orientation::kCircle);
        const std::vector<std::string> before = Values(form);
        const LoadResult result = LoadParameters(form, c.path);
        EXPECT_NE(result.problem.find(c.problem), std::string::npos) << c.path << result.problem;
        EXPECT_EQ(result.unreadable, c.unreadable) << c.path;
        EXPECT_EQ(Values(form), before) << c.path;
    }
    EXPECT_FALSE(SaveParameters(form, large));
    EXPECT_EQ(std::filesystem::file_size(large), kMaxIniFileBytes + 1);
    std::filesystem::resize_file(large, kMaxIniFileBytes);
    EXPECT_TRUE(LoadParameters(form, large).Loaded());
    EXPECT_EQ(form.txtX.Text(), "7");
}

// A file of before the newer keys reads as it always did: direct hues, 8 bits, no dither.
TEST_F(ParameterFilesTest, MissingKeysReadAsZeroButTheMiddleColourStays) {
    const std::string file = folder.File("sparse.tzg");
    WriteWholeFile(file, "[LAST]\nFRB=1\n");
    form.colMid.SetColor(0x0000FF);
    form.optV.Select(Orientation::kHorizontal);
    form.optH.Select(2);
    form.optDepth.Select(1);
    form.chkDither.SetValue(1);
    EXPECT_TRUE(LoadParameters(form, file).replacedKeys.empty());
    EXPECT_EQ(Values(form),
              (std::vector<std::string>{"0", "0", "0", "0", "0", "0", "1", "1", "1", "255", "0",
                                        "0", "1", "0", "8", "0", "", ""}));
}

TEST_F(ParameterFilesTest, SavingKeepsTheRestOfAnExistingFile) {
    const std::string file = folder.File("shared.ini");
    WriteWholeFile(file, "; mine\n[OTHER]\nKEEP=yes\n\n[LAST]\nX=7\nEXTRA=1\n");
    LoadDefaults(form);
    ASSERT_TRUE(SaveParameters(form, file));
    const std::string saved = ReadWholeFile(file);
    EXPECT_NE(saved.find("; mine\n[OTHER]\nKEEP=yes\n"), std::string::npos);
    EXPECT_NE(saved.find("[LAST]\nX=25\nEXTRA=1\n"), std::string::npos);
    EXPECT_EQ(saved.find("X=7"), std::string::npos);
}

// Text pasted or dropped: a gradient, a declaration or a whole rule holding one becomes the
// free gradient; text without one changes nothing.
TEST_F(ParameterFilesTest, PastedTextSetsTheFreeGradientItHolds) {
    const struct {
        const char* text;
        const char* gradient;  // the form's text afterwards; empty: nothing taken
    } kCases[] = {
        {"linear-gradient(red, blue)", "linear-gradient(#ff0000, #0000ff)"},
        {"background-image: conic-gradient(red, blue);", "conic-gradient(#ff0000, #0000ff)"},
        {".hero {\n  color: #fff;\n  background: Repeating-Radial-Gradient(circle, red 0 10px, "
         "blue 20px) fixed;\n}\n",
         "repeating-radial-gradient(circle, #ff0000 0% 10px, #0000ff 20px)"},
        {"a { background: linear-gradient(to right, red", ""},
        {"rot und blau", ""},
    };
    for (const auto& paste : kCases) {
        LoadDefaults(form);
        form.txtEasing.SetText("sine");
        const bool taken = PasteGradientText(form, paste.text);
        EXPECT_EQ(taken, *paste.gradient != '\0') << paste.text;
        EXPECT_EQ(form.txtGradient.Text(), paste.gradient) << paste.text;
        EXPECT_EQ(form.txtEasing.Text(), taken ? "" : "sine") << paste.text;
    }
}

// The files used last: newest first, each once, eight at most, beside the set of "LAST",
// which saving the set keeps; a settings file that cannot be read is left alone.
TEST_F(ParameterFilesTest, RecentFilesAreKeptBesideTheSet) {
    const std::string settings = folder.File("Tonzug.ini");
    for (int n = 1; n <= 10; ++n) {
        ASSERT_TRUE(RememberRecentFile(settings, "/tmp/v" + std::to_string(n) + ".tzg"));
    }
    ASSERT_TRUE(RememberRecentFile(settings, "/tmp/v5.tzg"));
    LoadDefaults(form);
    ASSERT_TRUE(SaveParameters(form, settings));
    EXPECT_EQ(
        ReadRecentFiles(settings),
        (std::vector<std::string>{"/tmp/v5.tzg", "/tmp/v10.tzg", "/tmp/v9.tzg", "/tmp/v8.tzg",
                                  "/tmp/v7.tzg", "/tmp/v6.tzg", "/tmp/v4.tzg", "/tmp/v3.tzg"}));
    EXPECT_TRUE(LoadParameters(form, settings).Loaded());

    const std::string folderInstead = folder.File("folder.ini");
    ASSERT_EQ(::mkdir(folderInstead.c_str(), 0700), 0);
    EXPECT_FALSE(RememberRecentFile(folderInstead, "/tmp/v1.tzg"));
    EXPECT_FALSE(RememberRecentFile(settings, "/tmp/zwei\nzeilen.tzg"));
}

// The window's size beside the set, which saving the set keeps; a size that is no size
// reads as none, and a stored size is shrunk to the screen, not below the window's minimum
// where the screen has room for that.
TEST_F(ParameterFilesTest, WindowSizeIsKeptBesideTheSet) {
    const std::string settings = folder.File("Tonzug.ini");
    EXPECT_EQ(ReadWindowSize(settings), std::nullopt);
    const WindowSize stored{1500, 900, WindowState::kMaximised};
    ASSERT_TRUE(RememberWindowSize(settings, stored));
    LoadDefaults(form);
    ASSERT_TRUE(SaveParameters(form, settings));
    EXPECT_EQ(ReadWindowSize(settings), stored);
    EXPECT_TRUE(LoadParameters(form, settings).Loaded());
    EXPECT_NE(ReadWholeFile(settings).find("[FENSTER]\nBREITE=1500\nHOEHE=900\nMAXIMIERT=1\n"),
              std::string::npos);
    WriteWholeFile(settings, "[FENSTER]\nBREITE=abc\nHOEHE=900\n");
    EXPECT_EQ(ReadWindowSize(settings), std::nullopt);

    const struct {
        WindowSize stored;
        std::int32_t availableWidth, availableHeight;
        WindowSize expected;
    } cases[] = {
        {{3000, 2000}, 1280, 770, {1280, 770}},
        {{900, 600}, 1280, 770, {900, 600}},
        {{100, 50}, 1280, 770, {700, 400}},
        {{900, 600}, 640, 350, {640, 350}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FitWindowSize(c.stored, c.availableWidth, c.availableHeight, 700, 400),
                  c.expected)
            << c.stored.width << " x " << c.stored.height;
    }
}

}  // namespace
}  // namespace tonzug
