#include "workspace/ui/CommandIcons.h"

#include <QString>

// The icons live in a static library: its resources must be registered by a call.
static void RegisterIconResources() {
    Q_INIT_RESOURCE(workspace_icons);
}

namespace tonzug {
namespace {

void EnsureIconResources() {
    static const bool registered = (RegisterIconResources(), true);
    static_cast<void>(registered);
}

// The pictures are rendered from the SVG sources beside them (tools/render-icons.sh):
// drawing SVG at start-up cost a fifth of the time to the first shown window.
QIcon BundledIcon(const char* name) {
    EnsureIconResources();
    // The @2x picture serves screens of twice the density.
    return QIcon(QStringLiteral(":/icons/%1.png").arg(QString::fromLatin1(name)));
}

const char* NameOf(CommandIcon command) {
    switch (command) {
        case CommandIcon::kSaveBmp:
            return "save-bmp";
        case CommandIcon::kSavePng:
            return "save-png";
        case CommandIcon::kSaveJpg:
            return "save-jpg";
        case CommandIcon::kCopyToClipboard:
            return "edit-copy";
        case CommandIcon::kLoadDefaults:
            return "load-defaults";
        case CommandIcon::kSaveParameters:
            return "document-save";
        case CommandIcon::kLoadParameters:
            return "document-open";
        case CommandIcon::kDarker:
            return "darker";
        case CommandIcon::kLighter:
            return "lighter";
        case CommandIcon::kUndo:
            return "edit-undo";
        case CommandIcon::kRedo:
            return "edit-redo";
    }
    return "";
}

constexpr int kApplicationIconSizes[] = {16, 32, 64};

}  // namespace

QIcon IconFor(CommandIcon command) {
    return BundledIcon(NameOf(command));
}

QIcon ApplicationIcon() {
    // The desktop shows the themed icon of the desktop entry; inside the window the
    // program's own picture serves, in the sizes a window manager asks for.
    // Made once: each size is decoded when it is added.
    static const QIcon icon = [] {
        EnsureIconResources();
        QIcon sizes;
        for (const int size : kApplicationIconSizes) {
            sizes.addFile(QStringLiteral(":/icons/tonzug-%1.png").arg(size), QSize(size, size));
        }
        return sizes;
    }();
    return icon;
}

}  // namespace tonzug
