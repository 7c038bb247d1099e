#pragma once

#include <QIcon>

namespace tonzug {

// The pictures of the main window's buttons, from the program's own resources: one set
// that belongs together, without a search of the desktop's icon theme at start-up.
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
    kUndo,
    kRedo,
};

QIcon IconFor(CommandIcon command);

// The program's own icon, for the window and the heading.
QIcon ApplicationIcon();

}  // namespace tonzug
