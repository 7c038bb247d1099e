#include <iostream>
#include <string>
#include <vector>

#include "app/GuiMain.h"
#include "app/PickOption.h"
#include "app/ScreenPickCommand.h"

// The window program that `tonzug` starts when it is asked for the main window, or for a
// colour picked from the screen.
int main(int argc, char* argv[]) {
    if (tonzug::PicksFromScreen(std::vector<std::string>(argv + 1, argv + argc))) {
        return tonzug::RunScreenPickCommand(argc, argv, std::cout, std::cerr);
    }
    return tonzug::RunMainWindow(argc, argv);
}
