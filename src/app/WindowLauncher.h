#pragma once

#include <string>

namespace tonzug {

// The window program that runs beside this one: next to it in the build folder, or in
// the library-exec folder of the installation. Empty when neither exists.
std::string WindowProgramPath(const std::string& ownPath);

// Replaces this process with the window program, handing on the arguments (argv[0]
// included). Returns only when that fails, with the exit status after a message on
// standard error.
int StartWindowProgram(char** argv);

}  // namespace tonzug
