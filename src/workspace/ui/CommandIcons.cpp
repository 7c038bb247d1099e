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

struct IconSource {
    const char* themeName;  // a freedesktop name, or the program's own where none fits
    const char* resource;
};

IconSource SourceOf(CommandIcon command) {
    switch (command) {
        case CommandIcon::kSaveBmp:
            return {"tonzug-save-bmp", ":/icons/save-bmp.svg"};
        case CommandIcon::kSavePng:
            return {"tonzug-save-png", ":/icons/save-png.svg"};
        case CommandIcon::kSaveJpg:
            return {"tonzug-save-jpg", ":/icons/save-jpg.svg"};
        case CommandIcon::kCopyToClipboard:
            return {"edit-copy", ":/icons/edit-copy.svg"};
        case CommandIcon::kLoadDefaults:
            return {"document-revert", ":/icons/document-revert.svg"};
        case CommandIcon::kSaveParameters:
            return {"document-save", ":/icons/document-save.svg"};
        case CommandIcon::kLoadParameters:
            return {"document-open", ":/icons/document-open.svg"};
        case CommandIcon::kDarker:
            return {"tonzug-darker", ":/icons/darker.svg"};
        case CommandIcon::kLighter:
            return {"tonzug-lighter", ":/icons/lighter.svg"};
    }
    return {"", ""};
}

}  // namespace

QIcon IconFor(CommandIcon command) {
    const IconSource source = SourceOf(command);
    return QIcon::fromTheme(QString::fromLatin1(source.themeName), BundledIcon(source.resource));
}

QIcon ApplicationIcon() {
    return QIcon::fromTheme(QStringLiteral("io.github.tonzug.Tonzug"),
                            BundledIcon(":/icons/tonzug.svg"));
}

}  // namespace tonzug
