#pragma once

namespace tonzug {

// Runs the program with its main window until the window closes; the exit code.
int RunMainWindow(int argc, char** argv);

}  // namespace tonzug
