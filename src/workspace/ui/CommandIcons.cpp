#include "workspace/ui/CommandIcons.h"

#include <QString>

// The icons live in a static library: its resources must be registered by a call.
static void RegisterIconResources() {
    Q_INIT_RESOURCE(workspace_icons);
}

namespace tonzug {
namespace {

QIcon BundledIcon(const char* resource) {
    static const bool registered = (RegisterIconResources(), true);
    static_cast<void>(registered);
    return QIcon(QString::fromLatin1(resource));
}

const char* ResourceOf(CommandIcon command) {
    switch (command) {
        case CommandIcon::kSaveBmp:
            return ":/icons/save-bmp.svg";
        case CommandIcon::kSavePng:
            return ":/icons/save-png.svg";
        case CommandIcon::kSaveJpg:
            return ":/icons/save-jpg.svg";
        case CommandIcon::kCopyToClipboard:
            return ":/icons/edit-copy.svg";
        case CommandIcon::kLoadDefaults:
            return ":/icons/document-revert.svg";
        case CommandIcon::kSaveParameters:
            return ":/icons/document-save.svg";
        case CommandIcon::kLoadParameters:
            return ":/icons/document-open.svg";
        case CommandIcon::kDarker:
            return ":/icons/darker.svg";
        case CommandIcon::kLighter:
            return ":/icons/lighter.svg";
    }
    return "";
}

}  // namespace

QIcon IconFor(CommandIcon command) {
    return BundledIcon(ResourceOf(command));
}

QIcon ApplicationIcon() {
    // The desktop shows the themed icon of the desktop entry; inside the window the
    // program's own picture serves.
    return BundledIcon(":/icons/tonzug.svg");
}

}  // namespace tonzug
