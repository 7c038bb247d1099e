#include <iostream>
#include <string>
#include <vector>

#include "app/ExportCommand.h"
#include "app/GuiMain.h"

int main(int argc, char* argv[]) {
    if (argc <= 1) {
        return tonzug::RunMainWindow(argc, argv);
    }
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    return tonzug::RunCommandLine(arguments, std::cout, std::cerr);
}
