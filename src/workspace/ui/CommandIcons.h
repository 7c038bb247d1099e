#pragma once

#include <QIcon>

namespace tonzug {

// The pictures of the main window's buttons, from the program's own resources: one set
// that belongs together, and no search of the desktop's icon theme, which costs a fifth of
// the start-up.
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
