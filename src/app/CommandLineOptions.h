#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "export/PictureKind.h"

namespace tonzug {

// The picture names that stand for standard output. /dev/stdout is written as "-" is:
// resolved, it would name a pipe, or a file that a rename would take from the shell.
inline constexpr std::string_view kStandardOutputName = "-";
inline constexpr std::string_view kStandardOutputDevice = "/dev/stdout";

enum class CommandMode { kExport, kCss, kHelp, kVersion };

// What the command line asks for, checked for form but not yet for meaning (keys, values
// and the picture type are judged when the export runs).
struct CommandRequest {
    CommandMode mode = CommandMode::kExport;
    std::string picture;
    // The format --format names; else the picture's extension decides.
    std::optional<PictureKind> format;
    std::optional<std::string> parameterFile;
    std::vector<std::pair<std::string, std::string>> settings;
    // A CSS gradient to draw instead of the classic one.
    std::optional<std::string> gradient;
    // Worker threads for the export; none given means one per available core.
    std::optional<std::int32_t> threads;
    bool quiet = false;

    bool ToStandardOutput() const {
        return picture == kStandardOutputName || picture == kStandardOutputDevice;
    }
};

// A mistake on the command line, with the words to tell the user.
struct UsageError {
    std::string message;
};

// Reads the arguments (without the program name). Options with a value take it as the
// next argument or after "=" ("--set KEY=VALUE", "--set=KEY=VALUE"); "--" ends the
// options. --help and --version win over everything else that is well-formed.
std::variant<CommandRequest, UsageError> ParseCommandLine(
    const std::vector<std::string>& arguments);

// A command line that asks for the main window: none at all, or one parameter file to open
// ("FILE", or "-- FILE" for a name that starts with "-").
struct WindowRequest {
    std::optional<std::string> parameterFile;
};
// Nothing for a command line that asks for anything else.
std::optional<WindowRequest> ParseWindowRequest(const std::vector<std::string>& arguments);

// "--export, --format, ...": every long option, for messages.
std::string OptionNames();

}  // namespace tonzug
