#include "app/CommandLineOptions.h"

#include <algorithm>
#include <array>

#include "workspace/ParameterKeys.h"

namespace tonzug {
namespace {

enum class Option {
    kExport,
    kCss,
    kFormat,
    kParams,
    kSet,
    kGradient,
    kThreads,
    kQuiet,
    kHelp,
    kVersion
};

struct OptionRow {
    std::string_view name;
    std::string_view shortName;  // empty when there is none
    Option option;
    bool takesValue;
};

constexpr std::array kOptions = {
    OptionRow{"--export", "", Option::kExport, true},
    OptionRow{"--css", "", Option::kCss, false},
    OptionRow{"--format", "", Option::kFormat, true},
    OptionRow{"--params", "", Option::kParams, true},
    OptionRow{"--set", "", Option::kSet, true},
    OptionRow{"--gradient", "", Option::kGradient, true},
    OptionRow{"--threads", "", Option::kThreads, true},
    OptionRow{"--quiet", "-q", Option::kQuiet, false},
    OptionRow{"--help", "-h", Option::kHelp, false},
    OptionRow{"--version", "", Option::kVersion, false},
};

const OptionRow* FindOption(std::string_view name) {
    const auto found = std::find_if(kOptions.begin(), kOptions.end(), [name](const auto& row) {
        return row.name == name || (!row.shortName.empty() && row.shortName == name);
    });
    return found == kOptions.end() ? nullptr : &*found;
}

bool IsOption(std::string_view argument) {
    return argument.size() > 1 && argument.front() == '-';
}

// A format is named as its extension is: "png", "bmp", "jpg" or "jpeg", in any case.
std::optional<PictureKind> FormatFromName(std::string_view name) {
    if (name.find_first_of("./") != std::string_view::npos) {
        return std::nullopt;
    }
    std::string asExtension = ".";
    asExtension += name;
    return PictureKindFromPath(asExtension);
}

// Stores one option's value; the message of a mistake, else nothing.
std::optional<std::string> Apply(CommandRequest& request, Option option, const std::string& value,
                                 bool& exportGiven) {
    switch (option) {
        case Option::kExport:
            if (exportGiven) {
                return "--export given more than once";
            }
            if (value.empty()) {
                return "--export needs a file name, or - for standard output";
            }
            exportGiven = true;
            request.picture = value;
            return std::nullopt;
        case Option::kCss:
            if (request.mode == CommandMode::kExport) {
                request.mode = CommandMode::kCss;
            }
            return std::nullopt;
        case Option::kFormat:
            request.format = FormatFromName(value);
            if (!request.format) {
                return "unknown format '" + value + "' for --format: use png, bmp, jpeg or svg";
            }
            return std::nullopt;
        case Option::kParams:
            if (request.parameterFile) {
                return "--params given more than once";
            }
            request.parameterFile = value;
            return std::nullopt;
        case Option::kSet: {
            const std::size_t equals = value.find('=');
            if (equals == std::string::npos) {
                return "--set needs KEY=VALUE, not '" + value + "'";
            }
            request.settings.emplace_back(value.substr(0, equals), value.substr(equals + 1));
            return std::nullopt;
        }
        case Option::kGradient:
            if (request.gradient) {
                return "--gradient given more than once";
            }
            request.gradient = value;
            return std::nullopt;
        case Option::kThreads:
            request.threads = DecimalInteger(value);
            if (!request.threads || *request.threads < 1) {
                return "--threads needs a whole number of at least 1, not '" + value + "'";
            }
            return std::nullopt;
        case Option::kQuiet:
            request.quiet = true;
            return std::nullopt;
        case Option::kHelp:
            request.mode = CommandMode::kHelp;
            return std::nullopt;
        case Option::kVersion:
            if (request.mode != CommandMode::kHelp) {
                request.mode = CommandMode::kVersion;
            }
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

std::optional<WindowRequest> ParseWindowRequest(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return WindowRequest{};
    }
    const bool separated = arguments.size() == 2 && arguments.front() == "--";
    const std::string& file = arguments.back();
    if ((arguments.size() == 1 && !file.empty() && file.front() != '-') ||
        (separated && !file.empty())) {
        return WindowRequest{file};
    }
    return std::nullopt;
}

std::string OptionNames() {
    std::string names;
    for (const OptionRow& row : kOptions) {
        if (!names.empty()) {
            names += ", ";
        }
        names += row.name;
    }
    return names;
}

std::variant<CommandRequest, UsageError> ParseCommandLine(
    const std::vector<std::string>& arguments) {
    CommandRequest request;
    bool exportGiven = false;
    bool optionsEnded = false;
    for (std::size_t next = 0; next < arguments.size();) {
        const std::string& argument = arguments[next++];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !IsOption(argument)) {
            return UsageError{"unexpected argument '" + argument + "'"};
        }
        const std::size_t equals = argument.find('=');
        const bool hasInlineValue = argument.rfind("--", 0) == 0 && equals != std::string::npos;
        const std::string name = hasInlineValue ? argument.substr(0, equals) : argument;
        const OptionRow* row = FindOption(name);
        if (row == nullptr) {
            return UsageError{"unknown option '" + name + "'; the options are " + OptionNames()};
        }
        std::string value;
        if (hasInlineValue) {
            if (!row->takesValue) {
                return UsageError{std::string(row->name) + " takes no value"};
            }
            value = argument.substr(equals + 1);
        } else if (row->takesValue) {
            if (next >= arguments.size()) {
                return UsageError{std::string(row->name) + " needs a value"};
            }
            value = arguments[next++];
        }
        if (std::optional<std::string> mistake = Apply(request, row->option, value, exportGiven)) {
            return UsageError{std::move(*mistake)};
        }
    }
    if (request.mode == CommandMode::kCss && exportGiven) {
        return UsageError{"--css and --export cannot be combined"};
    }
    if (request.mode == CommandMode::kExport && !exportGiven) {
        return UsageError{"--export PICTURE or --css is missing"};
    }
    return request;
}

}  // namespace tonzug
