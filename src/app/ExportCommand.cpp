#include "app/ExportCommand.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <iostream>
#include <new>
#include <optional>
#include <span>
#include <utility>
#include <variant>

#include "app/CommandLineOptions.h"
#include "app/ProgressLine.h"
#include "app/StreamExport.h"
#include "export/ExportPicture.h"
#include "export/WebExport.h"
#include "support/TextHelpers.h"
#include "web/CssGradientText.h"
#include "web/GimpGradient.h"
#include "web/WebGradientText.h"
#include "workspace/ExportParams.h"
#include "workspace/GradientFiles.h"
#include "workspace/ParameterFiles.h"
#include "workspace/ParameterForm.h"
#include "workspace/ParameterSettings.h"

namespace tonzug {
namespace {

// Ctrl-C or a termination request during the export cancels it, so that the temporary
// file is removed instead of being left beside the target. Without SA_RESTART, so that
// the signal also ends a write blocked on a slow standard output.
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
        action.sa_flags = 0;
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

// Writes all the bytes to the console's standard output and flushes; errno of a failure.
int WriteOut(const Console& console, std::span<const char> bytes) {
    if (console.outDescriptor < 0) {
        console.out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        console.out.flush();
        return console.out ? 0 : EIO;
    }
    while (!bytes.empty()) {
        if (InterruptGuard::Interrupted()) {
            return EINTR;
        }
        const ssize_t written = ::write(console.outDescriptor, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR) {
            return errno;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(std::max<ssize_t>(written, 0)));
    }
    return 0;
}

int Fail(std::ostream& err, int status, const std::string& message) {
    // Names and values come from the user: escaped, the message stays one harmless line.
    err << "tonzug: " << EscapeControls(message) << '\n';
    return status;
}

// Prints the text on standard output; the exit status.
int PrintOut(const Console& console, const std::string& text) {
    if (const int error = WriteOut(console, text); error != 0) {
        return Fail(console.err, kExitFailed, StandardOutputFailure(error).Describe());
    }
    return kExitOk;
}

// A mistake on the command line, with a pointer to the help.
int FailUsage(std::ostream& err, const std::string& message) {
    return Fail(err, kExitUsage, message + " (see tonzug --help)");
}

// The format --format names, else the one the picture's extension names; a mistake when
// neither tells it or the two disagree.
std::variant<PictureKind, std::string> ChooseFormat(const CommandRequest& request) {
    const std::optional<PictureKind> byName =
        request.ToStandardOutput() ? std::nullopt : PictureKindFromPath(request.picture);
    if (request.format && byName && *request.format != *byName) {
        return "--format names " + std::string(PictureKindName(*request.format)) +
               ", but the extension of '" + request.picture + "' names " +
               std::string(PictureKindName(*byName));
    }
    if (request.format) {
        return *request.format;
    }
    if (byName) {
        return *byName;
    }
    if (request.ToStandardOutput()) {
        return "--export " + request.picture + " needs --format png, bmp, jpeg or svg";
    }
    return "unknown picture type '" + request.picture +
           "': the name must end in .bmp, .png, .jpg, .jpeg or .svg, or --format must name the "
           "type";
}

// The default set, then the parameter file and the settings of the command line; the exit
// status of a failure, else nothing.
std::optional<int> LoadRequestedSet(const CommandRequest& request, std::ostream& err,
                                    ParameterForm& form) {
    if (request.parameterFile && IsGimpGradientPath(*request.parameterFile)) {
        if (std::optional<std::string> problem =
                LoadGimpGradientFile(*request.parameterFile, form, MessageLanguage::kEnglish)) {
            return Fail(err, kExitFailed,
                        "cannot read gradient file " + *request.parameterFile + ": " + *problem);
        }
    } else if (request.parameterFile) {
        const LoadResult loaded = LoadParameters(form, *request.parameterFile);
        if (!loaded.Loaded()) {
            return Fail(
                err, kExitFailed,
                "cannot read parameter file " + *request.parameterFile + ": " + loaded.problem);
        }
        // Values that were not valid were replaced; the export goes on, but says so.
        if (const std::string note = ReplacedValuesNote(loaded); !note.empty()) {
            err << "tonzug: warning: " << EscapeControls(*request.parameterFile) << ": " << note
                << '\n';
        }
    }
    for (const auto& [key, value] : request.settings) {
        std::string error;
        if (!ApplySetting(form, key, value, error)) {
            return Fail(err, kExitUsage, error);
        }
    }
    if (request.gradient) {
        std::string error;
        if (!ApplySetting(form, "GRADIENT", *request.gradient, error)) {
            return FailUsage(err, error);
        }
    }
    if (const SaveResult size = CheckTypedSize(form); !size.Ok()) {
        return Fail(err, kExitFailed, size.Describe());
    }
    return std::nullopt;
}

// Prints the gradient as one CSS declaration and nothing else on standard output.
int RunCss(const CommandRequest& request, const Console& console) {
    ParameterForm form;
    if (const std::optional<int> failed = LoadRequestedSet(request, console.err, form)) {
        return *failed;
    }
    PictureCss css;
    try {
        if (const SaveResult status = CssOfPicture(ReadExportPicture(form), css); !status.Ok()) {
            return Fail(console.err, kExitFailed, status.Describe());
        }
    } catch (const std::bad_alloc&) {
        return Fail(console.err, kExitFailed, "not enough memory to fit the gradient's stops");
    }
    if (const int printed = PrintOut(console, css.declaration + '\n'); printed != kExitOk) {
        return printed;
    }
    if (css.tolerance > kStopTolerance) {
        console.err << "tonzug: note: " << css.stops << " stops keep the blend within "
                    << css.tolerance << " of every step (more would be needed for 0.5)\n";
    }
    return kExitOk;
}

// Writes the free gradient's colour line as a GIMP gradient file, or prints it.
int RunGimpExport(const CommandRequest& request, const Console& console) {
    ParameterForm form;
    if (const std::optional<int> failed = LoadRequestedSet(request, console.err, form)) {
        return *failed;
    }
    const std::optional<FreeGradient> free = ReadFreeGradient(form);
    if (!free) {
        return FailUsage(console.err,
                         "a .ggr file holds the colour line of a free gradient: give one with "
                         "--gradient or in the parameter file");
    }
    double lineLength = 0.0;
    if (const SaveResult status = FullSizeLineLength(*free, ReadExportParams(form), lineLength);
        !status.Ok()) {
        return Fail(console.err, kExitFailed, status.Describe());
    }
    if (request.ToStandardOutput()) {
        const std::optional<std::string> text = GimpGradientText(*free, "Tonzug", lineLength);
        return text ? PrintOut(console, *text)
                    : Fail(console.err, kExitFailed, "the colour line has fewer than two stops");
    }
    const SaveResult status = ExportGimpGradient(*free, lineLength, request.picture);
    return status.Ok() ? kExitOk : Fail(console.err, kExitFailed, status.Describe());
}

int RunExport(const CommandRequest& request, const Console& console) {
    std::ostream& err = console.err;
    // Picture bytes would garble the terminal, as compressed data would (gzip refuses too).
    if (request.ToStandardOutput() && console.outIsTerminal) {
        return Fail(err, kExitUsage,
                    "the picture is not written to a terminal: redirect standard output to a "
                    "file or a pipe");
    }
    if (IsGimpGradientPath(request.picture)) {
        return RunGimpExport(request, console);
    }
    const auto format = ChooseFormat(request);
    if (const std::string* mistake = std::get_if<std::string>(&format)) {
        return FailUsage(err, *mistake);
    }
    const PictureKind kind = std::get<PictureKind>(format);
    ParameterForm form;
    if (const std::optional<int> failed = LoadRequestedSet(request, err, form)) {
        return *failed;
    }
    const GradientPicture picture = ReadExportPicture(form);
    const InterruptGuard interrupts;
    std::optional<ProgressLine> progressLine;
    if (console.errIsTerminal && !request.quiet) {
        progressLine.emplace(err);
    }
    ExportOptions options;
    // Called on this thread only, between bands.
    options.progress = [&progressLine](double fractionDone) {
        if (progressLine) {
            progressLine->Update(fractionDone);
        }
        return !InterruptGuard::Interrupted();
    };
    if (request.threads) {
        options.threads = *request.threads;
    }
    options.depth = ReadColorDepth(form);
    const PictureSaver save = [&](const std::string& path, const ExportOptions& with) {
        return ExportPicture(picture, path, kind, kExportJpegQuality, with);
    };
    const SaveResult status = request.ToStandardOutput()
                                  ? ExportToStream(save, options,
                                                   [&console](std::span<const char> bytes) {
                                                       return WriteOut(console, bytes);
                                                   })
                                  : save(request.picture, options);
    progressLine.reset();
    // A failure after an interrupt (a write it cut short) counts as the interrupt.
    if (status.failure == SaveFailure::kCancelled ||
        (!status.Ok() && InterruptGuard::Interrupted())) {
        return Fail(err, kExitInterrupted, "export interrupted; nothing was written");
    }
    if (!status.Ok()) {
        return Fail(err, kExitFailed, status.Describe());
    }
    return kExitOk;
}

}  // namespace

Console SystemConsole() {
    return {std::cout, std::cerr, ::isatty(STDOUT_FILENO) == 1, ::isatty(STDERR_FILENO) == 1,
            STDOUT_FILENO};
}

std::string VersionText() {
    return std::string("tonzug ") + TONZUG_VERSION;
}

std::string CommandLineHelp() {
    return R"(Usage: tonzug [[--] FILE.tzg]
       tonzug --export PICTURE [--format FORMAT] [--params FILE] [--set KEY=VALUE]...
              [--gradient CSS] [--threads N] [--quiet]
       tonzug --css [--params FILE] [--set KEY=VALUE]...
       tonzug --pick
       tonzug --help | --version

Without arguments, tonzug opens its window with the last parameter set. Given one
parameter file (.tzg), the window opens with that file loaded.

  --pick            pick one colour from the screen and print it as #RRGGBB; exit
                    status 0 for a colour, 1 when cancelled or not available (on X11
                    the next click picks, on Wayland the desktop portal asks)

With --export, tonzug renders a colour gradient at its full size and saves it without
opening a window:

  --export PICTURE  the picture to write, or - (or /dev/stdout) for standard output
                    (never a terminal); it must be a regular file if it exists; a
                    name ending in .svg writes the gradient as an SVG picture, a free
                    gradient too (a conic one as a fan of one-coloured wedges),
                    and one ending in .ggr the free gradient's colour line as a GIMP
                    gradient (0 to 1 of the line, one period of a repeating one),
                    split where GIMP cannot draw it exactly, within half a level
  --css             instead of a picture, print the gradient as one CSS declaration
                    (background-image) and nothing else: tonzug --css >> site.css;
                    easing and hue paths CSS lacks become stops within half a level
  --format FORMAT   png, bmp (24-bit bitmap), jpeg (quality 85) or svg; without it
                    the extension of PICTURE (.png, .bmp, .jpg, .jpeg, .svg, in any
                    case) decides
  --params FILE     load a parameter file (.tzg) first, as the window's load does, or
                    a GIMP gradient (.ggr) as the free gradient's colour line
  --set KEY=VALUE   then set one value; may be repeated and applies in the order given
  --gradient CSS    draw this CSS gradient (linear-, radial-, conic-gradient() and their
                    repeating- forms, or a background-image declaration holding one) at
                    the size of X and Y instead of the classic gradient; one with
                    transparency gives an RGBA PNG (straight alpha, dithered too when
                    DITHER is on); BMP and JPEG, which hold no alpha, lay it over white
  --threads N       use N threads (at least 1); the default is one per core
  --quiet, -q       show no progress line (it appears on a terminal for exports
                    that take longer than half a second)
  --help, -h        show this text
  --version         show the version

Options that take a value accept it as the next argument or after "=" (--set=X=100).
"--" ends the options.

The parameters start from the defaults; the settings file is neither read nor written.
KEY is one of the keys of a parameter file, in any letter case:
  STCOL, EDCOL, MDCOL  start, end and middle colour: a decimal colour value
                       (red + 256 * green + 65536 * blue) or an opaque CSS
                       colour: #RRGGBB, #abc, tomato, rgb(), hsl(), hwb(),
                       oklab(), oklch()
  X, Y                 width (at most 4194304) and height (at most 16777216) in
                       pixels
  MID, M               middle position in percent, or in pixels along the gradient
  SBR, MBR, EBR        start, middle and end band width in steps
  MDCHK                middle colour: 0 off, 1 on
  OPT                  orientation: 0 Horizontal, 1 Vertikal, 2 Kreis
  FRB                  colour mode: 0 RGB, 1 HSL, 2 Oklab, 3 OkLCh (Oklab and OkLCh
                       blend as the eye sees: no grey middle from blue to yellow)
  HUE                  way round the colour circle in HSL and OkLCh: 0 direct (the
                       hues as plain numbers), 1 shorter, 2 longer, 3 increasing,
                       4 decreasing
  DEPTH                8 or 16 bits per channel; 16 applies to PNG and keeps long,
                       gentle gradients free of bands
  DITHER               1 dithers 8-bit pictures (BMP, JPEG, PNG of 8 bits) with a
                       fixed blue-noise pattern against banding; 0 off
  GRADIENT             a free gradient as CSS text (as --gradient takes it), empty
                       for the classic gradient of the keys above
  EASING               its segments' easing beyond CSS, one name a segment: linear,
                       curved, sine, sphere-increasing, sphere-decreasing or step
                       (empty where the CSS says it), "sine,,step"
Each value is entered as if typed into its field, with the same follow-up changes
(a new width moves the middle position in pixels, and so on).

The picture is written completely or not at all: a failure or an interrupt leaves no
file behind, and an existing file of that name stays as it was.

Exit status:
  0    the picture was written
  1    it could not be made or written (a parameter file that cannot be read, an
       empty picture, a side above 16777216 pixels, a width above 4194304 pixels
       (the longest row an export holds), a picture too large for the format or for
       memory, a target that is not a regular file, a write failure such as a full
       disk)
  2    a mistake on the command line (an unknown option or key, a value the key cannot
       take, an unknown picture type, standard output on a terminal)
  130  interrupted
Errors are reported as one line on standard error.

Examples:
  tonzug --export sky.png --set X=1920 --set Y=1080 --set STCOL=#87CEEB --set EDCOL=#FFFFFF
  tonzug --export - --format png --params sunset.tzg | display
  tonzug --export hero.png --set X=1440 --set Y=600 \
         --gradient 'linear-gradient(in oklab 120deg, #ff6a00, #ee0979 60%, #7928ca)'
  tonzug --export spot.png --set X=800 --set Y=800 \
         --gradient 'radial-gradient(circle at 30% 30%, #fff, 20%, #0b3d91 70%, #000)'
  tonzug --export wheel.png --set X=512 --set Y=512 \
         --gradient 'conic-gradient(in oklch longer hue, red, red)'
)";
}

int RunCommandLine(const std::vector<std::string>& arguments, const Console& console) {
    if (arguments.empty()) {
        return PrintOut(console, CommandLineHelp());
    }
    auto parsed = ParseCommandLine(arguments);
    if (const UsageError* error = std::get_if<UsageError>(&parsed)) {
        return FailUsage(console.err, error->message);
    }
    const CommandRequest& request = std::get<CommandRequest>(parsed);
    switch (request.mode) {
        case CommandMode::kHelp:
            return PrintOut(console, CommandLineHelp());
        case CommandMode::kVersion:
            return PrintOut(console, VersionText() + '\n');
        case CommandMode::kCss:
            return RunCss(request, console);
        case CommandMode::kExport:
            break;
    }
    return RunExport(request, console);
}

}  // namespace tonzug
