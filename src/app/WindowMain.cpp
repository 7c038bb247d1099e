#include "app/GuiMain.h"

// The window program that `tonzug` starts when it is asked for the main window.
int main(int argc, char* argv[]) {
    return tonzug::RunMainWindow(argc, argv);
}
