#pragma once

#include <QIcon>

namespace tonzug {

// The pictures of the main window's buttons. Each comes from the desktop's icon theme
// when the theme has it, else from the program's own resources.
enum class CommandIcon {
    kSaveBmp,
    kSavePng,
    kSaveJpg,
    kCopyToClipboard,
    kLoadDefaults,
    kSaveParameters,
    kLoadParameters,
    kDarker,
    kLighter,
};

QIcon IconFor(CommandIcon command);

// The program's own icon, for the window and the heading.
QIcon ApplicationIcon();

}  // namespace tonzug
