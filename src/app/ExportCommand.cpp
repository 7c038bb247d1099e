#include "app/ExportCommand.h"

#include <array>
#include <csignal>
#include <optional>
#include <utility>
#include <variant>

#include "export/ExportPicture.h"
#include "export/WebExport.h"
#include "support/TextHelpers.h"
#include "web/WebGradientText.h"
#include "workspace/ExportParams.h"
#include "workspace/ParameterFiles.h"
#include "workspace/ParameterForm.h"
#include "workspace/ParameterSettings.h"

namespace tonzug {
namespace {

struct ExportRequest {
    std::string picture;
    std::optional<std::string> parameterFile;
    std::vector<std::pair<std::string, std::string>> settings;
    bool help = false;
    bool css = false;
};

// A mistake on the command line, with the words to tell the user.
struct UsageError {
    std::string message;
};

class ArgumentReader {
  public:
    explicit ArgumentReader(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    bool Done() const { return next_ >= arguments_.size(); }

    // The next argument; for "--name=value" only the name, keeping the value for Value().
    std::string Take() {
        std::string argument = arguments_[next_++];
        inlineValue_.reset();
        const std::size_t equals = argument.find('=');
        if (argument.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue_ = argument.substr(equals + 1);
            argument.resize(equals);
        }
        return argument;
    }

    std::optional<std::string> Value() {
        if (inlineValue_) {
            return std::exchange(inlineValue_, std::nullopt);
        }
        if (Done()) {
            return std::nullopt;
        }
        return arguments_[next_++];
    }

    bool HasInlineValue() const { return inlineValue_.has_value(); }

  private:
    const std::vector<std::string>& arguments_;
    std::size_t next_ = 0;
    std::optional<std::string> inlineValue_;
};

std::variant<ExportRequest, UsageError> ParseArguments(const std::vector<std::string>& arguments) {
    ExportRequest request;
    bool exportGiven = false;
    ArgumentReader reader(arguments);
    while (!reader.Done()) {
        const std::string option = reader.Take();
        if (option == "--help" || option == "-h") {
            if (reader.HasInlineValue()) {
                return UsageError{"--help takes no value"};
            }
            request.help = true;
            continue;
        }
        if (option == "--css") {
            if (reader.HasInlineValue()) {
                return UsageError{"--css takes no value"};
            }
            request.css = true;
            continue;
        }
        if (option.rfind('-', 0) != 0) {
            return UsageError{"unexpected argument '" + option + "'"};
        }
        if (option != "--export" && option != "--params" && option != "--set") {
            return UsageError{"unknown option '" + option + "'"};
        }
        const std::optional<std::string> value = reader.Value();
        if (!value) {
            return UsageError{option + " needs a value"};
        }
        if (option == "--export") {
            if (exportGiven) {
                return UsageError{"--export given more than once"};
            }
            exportGiven = true;
            request.picture = *value;
        } else if (option == "--params") {
            if (request.parameterFile) {
                return UsageError{"--params given more than once"};
            }
            request.parameterFile = *value;
        } else {
            const std::size_t equals = value->find('=');
            if (equals == std::string::npos) {
                return UsageError{"--set needs KEY=VALUE, not '" + *value + "'"};
            }
            request.settings.emplace_back(value->substr(0, equals), value->substr(equals + 1));
        }
    }
    if (exportGiven && request.css) {
        return UsageError{"--css and --export cannot be combined"};
    }
    if (!request.help && !exportGiven && !request.css) {
        return UsageError{"--export PICTURE or --css is missing"};
    }
    if (exportGiven && request.picture.empty()) {
        return UsageError{"--export needs a file name"};
    }
    return request;
}

// Ctrl-C or a termination request during the export cancels it, so that the temporary
// file is removed instead of being left beside the target.
volatile std::sig_atomic_t interruptRequested = 0;

extern "C" void OnInterrupt(int) {
    interruptRequested = 1;
}

class InterruptGuard {
  public:
    InterruptGuard() {
        interruptRequested = 0;
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < kSignals.size(); ++i) {
            sigaction(kSignals[i], &action, &previous_[i]);
        }
    }
    ~InterruptGuard() {
        for (std::size_t i = 0; i < kSignals.size(); ++i) {
            sigaction(kSignals[i], &previous_[i], nullptr);
        }
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

    static bool Interrupted() { return interruptRequested != 0; }

  private:
    static constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
    std::array<struct sigaction, 3> previous_{};
};

int Fail(std::ostream& err, int status, const std::string& message) {
    // Names and values come from the user: escaped, the message stays one harmless line.
    err << "tonzug: " << EscapeControls(message) << '\n';
    return status;
}

// The parameter set of --params and --set; the exit status when it cannot be had.
std::optional<int> LoadRequestParams(const ExportRequest& request, std::ostream& err,
                                     GradientParams& params) {
    ParameterForm form;
    if (request.parameterFile) {
        const LoadResult loaded = LoadParameters(form, *request.parameterFile);
        if (!loaded.Loaded()) {
            return Fail(
                err, kExitFailed,
                "cannot read parameter file " + *request.parameterFile + ": " + loaded.problem);
        }
    }
    for (const auto& [key, value] : request.settings) {
        std::string error;
        if (!ApplySetting(form, key, value, error)) {
            return Fail(err, kExitUsage, error);
        }
    }
    if (const EncodeStatus size = CheckTypedSize(form); !size.Ok()) {
        return Fail(err, kExitFailed, size.Describe());
    }
    params = ReadExportParams(form);
    return std::nullopt;
}

int RunCss(const ExportRequest& request, std::ostream& out, std::ostream& err) {
    GradientParams params;
    if (const std::optional<int> failed = LoadRequestParams(request, err, params)) {
        return *failed;
    }
    WebGradient gradient;
    if (const EncodeStatus status = FitFullSize(params, gradient); !status.Ok()) {
        return Fail(err, kExitFailed, status.Describe());
    }
    out << CssDeclaration(gradient) << '\n';
    if (gradient.tolerance > kStopTolerance) {
        err << "tonzug: note: " << gradient.stops.size() << " stops keep the blend within "
            << gradient.tolerance << " of every step (more would be needed for 0.5)\n";
    }
    return kExitOk;
}

int RunExport(const ExportRequest& request, std::ostream& err) {
    const std::optional<PictureKind> kind = PictureKindFromPath(request.picture);
    if (!kind) {
        return Fail(err, kExitUsage,
                    "unknown picture type '" + request.picture +
                        "': the name must end in .bmp, .png, .jpg, .jpeg or .svg");
    }
    GradientParams params;
    if (const std::optional<int> failed = LoadRequestParams(request, err, params)) {
        return *failed;
    }
    const InterruptGuard interrupts;
    ExportOptions options;
    options.progress = [](double) { return !InterruptGuard::Interrupted(); };
    const EncodeStatus status =
        ExportPicture(params, request.picture, *kind, kExportJpegQuality, options);
    if (status.status == kGdipAborted) {
        return Fail(err, kExitInterrupted, "export interrupted; nothing was written");
    }
    if (!status.Ok()) {
        return Fail(err, kExitFailed, status.Describe());
    }
    return kExitOk;
}

}  // namespace

std::string CommandLineHelp() {
    return R"(Usage: tonzug --export PICTURE [--params FILE] [--set KEY=VALUE]...
       tonzug --css [--params FILE] [--set KEY=VALUE]...
       tonzug --help

Renders a colour gradient at its full size and saves it without opening a window.

  --export PICTURE  the picture to write; its extension picks the format:
                    .bmp (24-bit bitmap), .png, .jpg or .jpeg (quality 85), in any case;
                    .svg writes the gradient as an SVG picture of the same size
  --css             print the gradient as one CSS declaration (background-image)
                    and nothing else, e.g. tonzug --css >> site.css
  --params FILE     load a parameter file (.tzg) first, as the window's load does
  --set KEY=VALUE   then set one value; may be repeated and applies in the order given
  --help, -h        show this text

The parameters start from the defaults; the settings file is neither read nor written.
KEY is one of the keys of a parameter file, in any letter case:
  STCOL, EDCOL, MDCOL  start, end and middle colour: a decimal colour value
                       (red + 256 * green + 65536 * blue) or #RRGGBB
  X, Y                 width and height in pixels
  MID, M               middle position in percent, or in pixels along the gradient
  SBR, MBR, EBR        start, middle and end band width in steps
  MDCHK                middle colour: 0 off, 1 on
  OPT                  orientation: 0 Horizontal, 1 Vertikal, 2 Kreis
  FRB                  colour mode: 0 RGB, 1 HSL
Each value is entered as if typed into its field, with the same follow-up changes
(a new width moves the middle position in pixels, and so on).

The picture is written completely or not at all: a failure or an interrupt leaves no
file behind, and an existing file of that name stays as it was.

Exit status: 0 when the picture or CSS was written; 1 when it could not be made or written
(a parameter file that cannot be read, an empty picture, a side above 16777216 pixels,
a picture too large for the format or for memory, a write failure); 2 for a mistake on
the command line (an unknown option or key, a value the key cannot take, an unknown
picture type); 130 when interrupted.
Errors are reported as one line on standard error.
)";
}

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& err) {
    if (arguments.empty()) {
        out << CommandLineHelp();
        return kExitOk;
    }
    auto parsed = ParseArguments(arguments);
    if (const UsageError* error = std::get_if<UsageError>(&parsed)) {
        return Fail(err, kExitUsage, error->message + " (see tonzug --help)");
    }
    const ExportRequest& request = std::get<ExportRequest>(parsed);
    if (request.help) {
        out << CommandLineHelp();
        return kExitOk;
    }
    if (request.css) {
        return RunCss(request, out, err);
    }
    return RunExport(request, err);
}

}  // namespace tonzug
