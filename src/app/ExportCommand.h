#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tonzug {

// Exit statuses of the command line.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the picture could not be made or written
inline constexpr int kExitUsage = 2;   // a mistake on the command line
inline constexpr int kExitInterrupted = 130;

// Where the command line writes, and whether each stream is a terminal: a picture is never
// written to a terminal, and the progress line appears only on one.
struct Console {
    std::ostream& out;
    std::ostream& err;
    bool outIsTerminal = false;
    bool errIsTerminal = false;
    // The descriptor behind `out`, written directly so that every write is checked and an
    // interrupt ends a write blocked in a full pipe; -1 writes through `out`.
    int outDescriptor = -1;
};

// Standard output and standard error of this process.
Console SystemConsole();

// The headless command line, arguments without the program name (see CommandLineHelp).
// Starts from the default parameter set and never touches the settings file. Writes the
// help, the version or the picture to `out`, and at most one "tonzug: ..." line (besides
// the progress line, which it erases again) to `err`; returns the exit status.
int RunCommandLine(const std::vector<std::string>& arguments, const Console& console);

// The help text printed by --help.
std::string CommandLineHelp();

// "tonzug 0.1.0", printed by --version.
std::string VersionText();

}  // namespace tonzug
