#pragma once

#include <ostream>

namespace tonzug {

// Picks one colour from the screen and writes it as "#RRGGBB" and a line feed to `out`:
// through the desktop portal on Wayland, on X11 with the pointer grabbed until one click.
// Returns 0 for a colour, 1 when the pick was cancelled or no pick is possible here (then
// one line on `err`). Creates the application object that the route needs.
int RunScreenPickCommand(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace tonzug
