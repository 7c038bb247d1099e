#include "app/ExportCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>

#include "app/CommandLineOptions.h"
#include "export/PictureReaders.h"
#include "testing/TempFolder.h"
#include "web/GimpGradient.h"
#include "workspace/ParameterFiles.h"

namespace tonzug {
namespace {

using testing::TempFolder;

struct Outcome {
    int exitStatus;
    std::string out;
    std::string err;
};

Outcome RunTonzug(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCommandLine(arguments, {out, err, false, false});
    return {status, out.str(), err.str()};
}

// Help and version go to standard output, also after other options.
TEST(CommandLine, HelpAndVersionGoToStandardOutput) {
    using Arguments = std::vector<std::string>;
    for (const auto& [arguments, text] :
         {std::pair{Arguments{}, CommandLineHelp()},
          {Arguments{"--export", "x.png", "-h"}, CommandLineHelp()},
          {Arguments{"--export", "x.png", "--version"}, VersionText() + "\n"}}) {
        const Outcome outcome = RunTonzug(arguments);
        EXPECT_EQ(outcome.exitStatus, kExitOk);
        EXPECT_EQ(outcome.out, text);
        EXPECT_TRUE(outcome.err.empty());
    }
    for (const char* part : {"--export PICTURE", "FILE.tzg", "--params", "--set", "--threads",
                             "STCOL", "MDCHK", "FRB", "\n  2 ", "\n  130 "}) {
        EXPECT_NE(CommandLineHelp().find(part), std::string::npos) << part;
    }
}

// Only an empty command line or a lone parameter file opens the window.
TEST(CommandLine, WindowRequests) {
    using Arguments = std::vector<std::string>;
    const std::vector<std::pair<Arguments, std::optional<std::string>>> opening = {
        {{}, std::nullopt}, {{"a.tzg"}, "a.tzg"}, {{"--", "-a.tzg"}, "-a.tzg"}};
    for (const auto& [arguments, file] : opening) {
        const std::optional<WindowRequest> request = ParseWindowRequest(arguments);
        ASSERT_TRUE(request.has_value()) << ::testing::PrintToString(arguments);
        EXPECT_EQ(request->parameterFile, file);
    }
    for (const Arguments& arguments : {Arguments{"-a.tzg"}, Arguments{"--"}, Arguments{"-"},
                                       Arguments{"a.tzg", "b.tzg"}, Arguments{"--version"}}) {
        EXPECT_FALSE(ParseWindowRequest(arguments)) << ::testing::PrintToString(arguments);
    }
}

struct FailureCase {
    std::vector<std::string> arguments;  // "@" stands for the test's folder
    int exitStatus;
    std::string messagePart;
};

class CommandLineFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CommandLineFailure, OneLineOnStandardErrorAndNoFile) {
    TempFolder folder;
    std::vector<std::string> arguments = GetParam().arguments;
    for (std::string& argument : arguments) {
        if (argument.rfind('@', 0) == 0) {
            argument = folder.Path() + argument.substr(1);
        }
    }
    const Outcome outcome = RunTonzug(arguments);
    EXPECT_EQ(outcome.exitStatus, GetParam().exitStatus);
    EXPECT_TRUE(outcome.out.empty());
    EXPECT_EQ(outcome.err.rfind("tonzug: ", 0), 0u) << outcome.err;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    EXPECT_NE(outcome.err.find(GetParam().messagePart), std::string::npos) << outcome.err;
    EXPECT_TRUE(folder.Entries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineFailure,
    ::testing::Values(
        FailureCase{{"--bogus"}, kExitUsage, "unknown option '--bogus'; the options are --export"},
        FailureCase{{"--export", "@/a.png", "--quiet=1"}, kExitUsage, "--quiet takes no value"},
        FailureCase{{"--", "--export", "@/a.png"}, kExitUsage, "unexpected argument '--export'"},
        FailureCase{{"--export", "-"}, kExitUsage, "needs --format png, bmp, jpeg or svg"},
        FailureCase{{"--export", "/dev/stdout"}, kExitUsage, "/dev/stdout needs --format"},
        FailureCase{{"--css", "--export", "@/a.png"}, kExitUsage, "cannot be combined"},
        FailureCase{{"--export", "@/a.png", "--format", "jpeg"}, kExitUsage, "names JPEG, but"},
        FailureCase{{"--export", "@/a.png", "--format=gif"}, kExitUsage, "unknown format 'gif'"},
        FailureCase{{"--export", "@/a.png", "--threads", "0"}, kExitUsage, "at least 1, not '0'"},
        FailureCase{{"--export"}, kExitUsage, "--export needs a value"},
        FailureCase{{"--set", "X=5"}, kExitUsage, "--export PICTURE or --css is missing"},
        FailureCase{{"--export", "@/a.png", "--export", "@/b.png"}, kExitUsage, "more than once"},
        FailureCase{{"--export", "@/a.png", "--set", "FOO=1"}, kExitUsage, "unknown key 'FOO'"},
        FailureCase{{"--export", "@/a.png", "--set", "OPT=7"}, kExitUsage, "invalid value '7'"},
        FailureCase{{"--export", "@/a.png", "--set", "X"}, kExitUsage, "KEY=VALUE"},
        FailureCase{{"--export", "@/a.png", "--set", "K\x1b[2J\n=1"}, kExitUsage, "K\\x1b[2J\\n'"},
        FailureCase{{"--export", "@/a.gif"}, kExitUsage, "unknown picture type"},
        FailureCase{{"--export", "@/a.png", "--params", "@/none.tzg"},
                    kExitFailed,
                    "cannot read parameter file"},
        FailureCase{{"--export", "@/missing/a.png"}, kExitFailed, "No such file or directory"},
        FailureCase{{"--export", "@/a.png", "--gradient", "linear-gradient(red)"},
                    kExitUsage,
                    "expected at least two colour stops at character 20"},
        FailureCase{{"--export", "@/a.ggr"}, kExitUsage, "holds the colour line of a free"},
        FailureCase{{"--export", "@/a.png", "--params", "@/none.ggr"},
                    kExitFailed,
                    "cannot read gradient file"}));

// A GIMP gradient goes through the parameter keys (GRADIENT and EASING) and comes out as
// GIMP draws it: every blend type, a hard stop and straight alpha.
TEST(CommandLine, GimpGradientsComeBackAsGimpDrawsThem) {
    TempFolder folder;
    const std::string original = folder.File("in.ggr");
    testing::WriteWholeFile(original,
                            "GIMP Gradient\nName: Blends\n4\n"
                            "0.0 0.02 0.1  0 0 0 1  1 1 1 0.5  0 0\n"
                            "0.1 0.125 0.4  0 0 0 1  1 0.5 0 1  2 0\n"
                            "0.4 0.55 0.6  1 0.5 0 1  0.2 0.3 0.9 1  5 0\n"
                            "0.6 0.75 1.0  0.2 0.3 0.9 1  1 0 0 1  3 0\n");
    const std::string copy = folder.File("out.ggr");
    const Outcome outcome = RunTonzug({"--params", original, "--export", copy});
    ASSERT_EQ(outcome.exitStatus, kExitOk) << outcome.err;
    const auto before = ReadGimpSegments(testing::ReadWholeFile(original)).segments;
    const auto after = ReadGimpSegments(testing::ReadWholeFile(copy)).segments;
    ASSERT_TRUE(before && after);
    for (int i = 0; i <= 1000; ++i) {
        const CssColor a = GimpColorAt(*before, i / 1000.0);
        const CssColor b = GimpColorAt(*after, i / 1000.0);
        ASSERT_NEAR(a.red + a.green + a.blue + a.alpha, b.red + b.green + b.blue + b.alpha, 1e-9)
            << i;
    }
}

// An easing CSS and GIMP lack comes out split into stops both draw; stops in pixels count
// at the picture's size.
TEST(CommandLine, EasedGradientsGoToCssAndGimpAsStops) {
    TempFolder folder;
    const std::vector<std::string> gradient = {
        "--set", "X=300",      "--gradient", "linear-gradient(to right in oklab, red 30px, blue)",
        "--set", "EASING=sine"};
    std::vector<std::string> css = gradient;
    css.push_back("--css");
    const Outcome printed = RunTonzug(css);
    ASSERT_EQ(printed.exitStatus, kExitOk) << printed.err;
    EXPECT_EQ(printed.out.rfind("background-image: linear-gradient(to right, #ff0000 10%, ", 0), 0u)
        << printed.out;
    std::vector<std::string> ggr = gradient;
    ggr.insert(ggr.end(), {"--export", folder.File("out.ggr")});
    const Outcome written = RunTonzug(ggr);
    ASSERT_EQ(written.exitStatus, kExitOk) << written.err;
    const auto segments = ReadGimpSegments(testing::ReadWholeFile(folder.File("out.ggr")));
    ASSERT_TRUE(segments.segments);
    EXPECT_EQ(segments.segments->front().right, 0.1);  // flat red up to the first stop
}

// Each way of writing the same request makes the same file, byte for byte: a --set applies
// after the parameter file wherever it stands, and a later one wins. (Pipes, terminals and
// interrupts are tested on the real program: terminal-and-pipes.sh.)
TEST(CommandLine, OptionFormsAgree) {
    TempFolder folder;
    const std::string file = folder.File("set.tzg");
    {
        ParameterForm form;
        form.txtX.SetText("31");
        ASSERT_TRUE(SaveParameters(form, file));
    }
    const std::string picture = folder.File("p.bmp");
    using Arguments = std::vector<std::string>;
    const std::vector<Arguments> forms = {
        {"--export", picture, "--params", file, "--set", "Y=17", "--format", "bmp"},
        {"--export=" + picture, "--params=" + file, "--set=Y=17", "--format=BMP"},
        {"--set", "Y=17", "--quiet", "--params", file, "--threads", "1", "--export", picture, "--"},
        {"--set=Y=3", "-q", "--threads=2", "--params", file, "--set=y=17", "--export", picture}};
    std::optional<std::string> first;
    for (const Arguments& arguments : forms) {
        const Outcome outcome = RunTonzug(arguments);
        ASSERT_EQ(outcome.exitStatus, kExitOk) << outcome.err;
        const std::string written = testing::ReadWholeFile(picture);
        EXPECT_EQ(written, first.value_or(written)) << ::testing::PrintToString(arguments);
        first = written;
    }
    const auto read = testing::ReadPicture(picture);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->width, 31);
    EXPECT_EQ(read->height, 17);

    // A file with values that are not valid still exports, and says which were replaced.
    testing::WriteWholeFile(file, "[LAST]\nX=abc\nY=-5\nOPT=7\n");
    const Outcome replaced = RunTonzug({"--export", picture, "--params", file});
    EXPECT_EQ(replaced.exitStatus, kExitOk) << replaced.err;
    EXPECT_NE(replaced.err.find("warning: " + file + ": values not valid for X, Y and OPT"),
              std::string::npos)
        << replaced.err;
}

}  // namespace
}  // namespace tonzug
