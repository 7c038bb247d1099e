#include <string>
#include <vector>

#include "app/CommandLineOptions.h"
#include "app/ExportCommand.h"
#include "app/PickOption.h"
#include "app/WindowLauncher.h"

// The command: the modes that open no window run here without loading any toolkit; the
// window is a program of its own that this one becomes.
int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (tonzug::ParseWindowRequest(arguments) || tonzug::PicksFromScreen(arguments)) {
        return tonzug::StartWindowProgram(argv);
    }
    return tonzug::RunCommandLine(arguments, tonzug::SystemConsole());
}
