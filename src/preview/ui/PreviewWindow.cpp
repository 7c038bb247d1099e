#include "preview/ui/PreviewWindow.h"

#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QList>
#include <QLocale>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "desktop/ui/InterfaceLanguage.h"
#include "preview/ui/PreviewCanvas.h"

namespace tonzug {
namespace {

constexpr double kPercent = 100.0;
constexpr double kWholePercentFrom = 10.0;
constexpr double kOnePercent = 1.0;
constexpr int kSmallestDecimals = 3;

// A command of the view: its button, and its keys, named in the tooltip as the keyboards
// of the window's language label them.
struct ViewCommand {
    const char* name;
    const char* caption;
    const char* tooltip;
    QList<QKeyCombination> keys;
    void (PreviewCanvas::*run)();
};

QString Translated(const char* text) {
    return QCoreApplication::translate("tonzug::PreviewWindow", text);
}

// "Tonzug Voransicht": the gradient fitted into a maximised window, or at full size or
// zoomed, with the commands above it.
class PreviewView final : public QDialog {
  public:
    PreviewView(QWidget& owner, const GradientPicture& picture)
        : QDialog(&owner), canvas_(new PreviewCanvas(picture)) {
        setWindowTitle(Translated(QT_TRANSLATE_NOOP("tonzug::PreviewWindow", "Tonzug Voransicht")));
        setObjectName(QStringLiteral("F_TONZUGPRV"));
        // A plain resizable window rather than a dialog frame, so that it can be maximised.
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
        auto* page = new QVBoxLayout(this);
        page->setContentsMargins(0, 0, 0, 0);
        page->setSpacing(0);
        auto* commands = new QHBoxLayout;
        const int margin = fontMetrics().height() / 2;
        commands->setContentsMargins(margin, margin / 2, margin, margin / 2);
        for (const ViewCommand& command : {
                 ViewCommand{
                     "cmdFit",
                     QT_TRANSLATE_NOOP("tonzug::PreviewWindow", "Einpassen"),
                     QT_TRANSLATE_NOOP("tonzug::PreviewWindow", "Ganzes Bild im Fenster zeigen"),
                     {Qt::CTRL | Qt::Key_0},
                     &PreviewCanvas::FitToView},
                 ViewCommand{
                     "cmdOriginal",
                     QT_TRANSLATE_NOOP("tonzug::PreviewWindow", "Originalgröße"),
                     QT_TRANSLATE_NOOP("tonzug::PreviewWindow", "Ein Bildpunkt je Bildschirmpunkt"),
                     {Qt::CTRL | Qt::Key_1},
                     &PreviewCanvas::ShowOriginal},
                 ViewCommand{"cmdZoomIn",
                             QT_TRANSLATE_NOOP("tonzug::PreviewWindow", "Vergrößern"),
                             QT_TRANSLATE_NOOP("tonzug::PreviewWindow", "Vergrößern"),
                             {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal},
                             &PreviewCanvas::ZoomInStep},
                 ViewCommand{"cmdZoomOut",
                             QT_TRANSLATE_NOOP("tonzug::PreviewWindow", "Verkleinern"),
                             QT_TRANSLATE_NOOP("tonzug::PreviewWindow", "Verkleinern"),
                             {Qt::CTRL | Qt::Key_Minus},
                             &PreviewCanvas::ZoomOutStep},
             }) {
            commands->addWidget(MakeCommand(command));
        }
        zoomShown_ = new QLabel;
        zoomShown_->setObjectName(QStringLiteral("lblZoom"));
        commands->addSpacing(margin);
        commands->addWidget(zoomShown_);
        commands->addStretch(1);
        auto* size =
            new QLabel(Translated(QT_TRANSLATE_NOOP("tonzug::PreviewWindow", "%1 × %2 Pixel"))
                           .arg(canvas_->Picture().Width())
                           .arg(canvas_->Picture().Height()));
        size->setObjectName(QStringLiteral("lblSize"));
        commands->addWidget(size);
        page->addLayout(commands);
        page->addWidget(canvas_, 1);
        connect(canvas_, &PreviewCanvas::zoomChanged, this, &PreviewView::ShowZoom);
        ShowZoom(canvas_->Zoom());
        canvas_->setFocus();
    }

  private:
    QToolButton* MakeCommand(const ViewCommand& command) {
        auto* button = new QToolButton;
        button->setObjectName(QString::fromLatin1(command.name));
        button->setText(Translated(command.caption));
        button->setAccessibleName(Translated(command.caption));
        button->setFocusPolicy(Qt::TabFocus);
        button->setToolTip(QStringLiteral("%1 (%2)").arg(
            Translated(command.tooltip), KeysAsLabelled(QKeySequence(command.keys.front()))));
        connect(button, &QToolButton::clicked, canvas_, command.run);
        for (const QKeyCombination keys : command.keys) {
            auto* shortcut = new QShortcut(QKeySequence(keys), this);
            connect(shortcut, &QShortcut::activated, canvas_, command.run);
        }
        return button;
    }

    void ShowZoom(double zoom) {
        const double percent = zoom * kPercent;
        // Whole percent where that says enough; the fit of a huge picture needs more.
        const int decimals = percent >= kWholePercentFrom ? 0
                             : percent >= kOnePercent     ? 1
                                                          : kSmallestDecimals;
        zoomShown_->setText(Translated(QT_TRANSLATE_NOOP("tonzug::PreviewWindow", "%1 %"))
                                .arg(WindowNumberLocale().toString(percent, 'f', decimals)));
    }

    PreviewCanvas* canvas_;
    QLabel* zoomShown_ = nullptr;
};

}  // namespace

void ShowPreviewWindow(QWidget& owner, const GradientPicture& picture) {
    PreviewView view(owner, picture);
    // Without a window manager a maximised state alone may not size the window.
    if (const QScreen* screen =
            owner.screen() ? owner.screen() : QGuiApplication::primaryScreen()) {
        view.setGeometry(screen->availableGeometry());
    }
    view.setWindowState(view.windowState() | Qt::WindowMaximized);
    view.exec();
}

}  // namespace tonzug
