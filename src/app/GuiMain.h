#pragma once

namespace tonzug {

// Runs the program with its main window until the window closes; the exit code. A
// parameter file named as the only argument ("FILE" or "-- FILE") is loaded into the
// window as "Einstellungsdatei laden" loads it.
int RunMainWindow(int argc, char** argv);

}  // namespace tonzug
