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

// The headless command line, arguments without the program name:
//   --export PICTURE [--params FILE] [--set KEY=VALUE]...   render and save one picture
//   --css [--params FILE] [--set KEY=VALUE]...              print the CSS declaration
//   --help                                                   describe the command line
// Starts from the default parameter set and never touches the settings file. Writes the
// help or the CSS to `out` and at most one "tonzug: ..." line to `err`; returns the exit status.
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// The help text printed by --help.
std::string CommandLineHelp();

}  // namespace tonzug
