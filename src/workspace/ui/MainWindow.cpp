#include "workspace/ui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <vector>

#include "desktop/ui/DesktopColors.h"
#include "export/ui/ExportCommands.h"
#include "form/ui/ReturnPressesButton.h"
#include "preview/ui/PreviewWindow.h"
#include "support/SettingsFolder.h"
#include "workspace/ExportParams.h"
#include "workspace/ParameterFiles.h"
#include "workspace/SwatchCommands.h"
#include "workspace/WindowSize.h"
#include "workspace/ui/CommandIcons.h"
#include "workspace/ui/FormScrollArea.h"
#include "workspace/ui/ParameterFileCommands.h"
#include "workspace/ui/ParameterPanel.h"
#include "workspace/ui/PreviewBox.h"
#include "workspace/ui/PreviewHandles.h"
#include "workspace/ui/StopsBar.h"
#include "workspace/ui/UndoBinding.h"

namespace tonzug {
namespace {

// The preview container's smallest side: the default 25 x 256 gradient still shows at its
// full height.
constexpr int kPreviewSide = 256;
constexpr int kHeadingIconSize = 32;
constexpr int kCommandIconSize = 24;

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("F_TONZUG"));
    setWindowTitle(QStringLiteral("Tonzug"));
    setWindowIcon(ApplicationIcon());
    // The system colours of the settings file mean the colours of this desktop.
    FillSystemColorsFromPalette(QApplication::palette());

    auto* page = new QVBoxLayout(this);
    page->addWidget(BuildHeading());
    auto* body = new QHBoxLayout;
    panel_ = new ParameterPanel(form_);
    connect(panel_, &ParameterPanel::pastedOtherText, this, &MainWindow::PasteText);
    // The parameters keep their size and scroll in a small window; the preview takes
    // whatever room the window has beyond them.
    auto* parameters = new FormScrollArea(*panel_);
    parameters->setObjectName(QStringLiteral("scrParameters"));
    body->addWidget(parameters);
    body->addWidget(BuildPreviewFrame(), 1);
    page->addLayout(body, 1);
    page->addLayout(BuildCommandRow());
    PressButtonsOnReturn(*this);

    ConnectHooks();
    StartUp();
    setAcceptDrops(true);
    undo_ = new UndoBinding(*this, form_);
    auto* stops = new StopsPanel(form_, *undo_);
    page->insertWidget(2, stops);
    // Made after the command row, it comes before it for Tab, as on the screen.
    TabBefore(*stops, *findChild<QWidget*>(QStringLiteral("cmdSave")));
    undo_->SetAfterChange([this] {
        UpdateTitle();
        UpdateUndoButtons();
    });
    UpdateUndoButtons();
    BindShortcuts();
    AttachRecentFiles();
    RestoreSize();
    // Ending the program without closing the window (a session's end) still keeps the set.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (isVisible()) {
            SaveSettings();
        }
    });
}

void MainWindow::TabBefore(QWidget& group, QWidget& next) {
    std::vector<QWidget*> members;
    for (QWidget* member = group.nextInFocusChain(); group.isAncestorOf(member);
         member = member->nextInFocusChain()) {
        members.push_back(member);
    }
    QWidget* previous = next.previousInFocusChain();
    for (QWidget* member : members) {
        setTabOrder(previous, member);
        previous = member;
    }
}

MainWindow::~MainWindow() {
    form_.SetHooks({});
}

QWidget* MainWindow::BuildHeading() {
    auto* heading = new QFrame;
    heading->setObjectName(QStringLiteral("pC0"));
    heading->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    heading->setBackgroundRole(QPalette::Base);
    heading->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(heading);

    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("Image3"));
    picture->setPixmap(
        ApplicationIcon().pixmap(QSize(kHeadingIconSize, kHeadingIconSize), devicePixelRatioF()));
    row->addWidget(picture);

    auto* caption = new QLabel(tr("Farbtonzüge erstellen"));
    caption->setObjectName(QStringLiteral("pCapt"));
    QFont font = caption->font();
    font.setFamilies({QStringLiteral("Tahoma"), font.family()});
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.5);
    caption->setFont(font);
    row->addWidget(caption, 1);
    return heading;
}

QWidget* MainWindow::BuildPreviewFrame() {
    auto* frame = new QGroupBox(tr("Voransicht : "));
    frame->setObjectName(QStringLiteral("F4"));
    auto* column = new QVBoxLayout(frame);
    preview_ = new PreviewContainer(kPreviewSide);
    preview_->setObjectName(QStringLiteral("Cont"));
    column->addWidget(preview_, 1);
    preview_->Box().setToolTip(tr("Doppelklick: große Voransicht..."));
    preview_->Box().setAccessibleName(frame->title().trimmed());
    connect(&preview_->Box(), &PreviewBox::doubleClicked, this, &MainWindow::ShowLargePreview);
    handles_ = new PreviewHandles(preview_->Box(), form_, [this] { return undo_; });
    return frame;
}

void MainWindow::ShowLargePreview() {
    // Read per opening, so the view draws the fields as they stand now.
    form_.FinishEdits();
    ShowPreviewWindow(*this, ReadExportPicture(form_));
}

void MainWindow::ExportCommand(ExportTarget target) {
    form_.FinishEdits();
    // The size as typed: a width the float fields would round is refused as the user wrote it.
    if (const SaveResult size = CheckTypedSize(form_); !size.Ok()) {
        ShowExportFailure(*this, size);
        return;
    }
    ExportGradient(*this, ReadExportPicture(form_), target, ReadColorDepth(form_));
}

QLayout* MainWindow::BuildCommandRow() {
    auto* row = new QHBoxLayout;
    const auto exportButton = [this, row](const char* name, CommandIcon icon, const char* tooltip,
                                          ExportTarget target) {
        QToolButton* button = MakePictureButton(name, icon, tr(tooltip));
        connect(button, &QToolButton::clicked, this, [this, target] { ExportCommand(target); });
        row->addWidget(button);
    };
    exportButton("cmdSave", CommandIcon::kSaveBmp, QT_TR_NOOP("Tonzug als BMP-Bild speichern..."),
                 ExportTarget::kBmpFile);
    exportButton("cmdSavePNG", CommandIcon::kSavePng,
                 QT_TR_NOOP("Tonzug als PNG-Bild speichern..."), ExportTarget::kPngFile);
    exportButton("cmdSaveJPG", CommandIcon::kSaveJpg,
                 QT_TR_NOOP("Tonzug als JPG-Bild speichern..."), ExportTarget::kJpegFile);
    exportButton("cmdSaveCLP", CommandIcon::kCopyToClipboard,
                 QT_TR_NOOP("Tonzug in die Zwischenablage kopieren..."), ExportTarget::kClipboard);
    auto* css = new QToolButton;
    css->setObjectName(QStringLiteral("cmdCopyCSS"));
    css->setText(tr("CSS kopieren"));
    css->setToolTip(tr("Tonzug als CSS in die Zwischenablage kopieren..."));
    css->setMinimumHeight(row->itemAt(0)->widget()->sizeHint().height());
    connect(css, &QToolButton::clicked, this,
            [this] { ExportCommand(ExportTarget::kCssClipboard); });
    row->addWidget(css);
    row->addSpacing(fontMetrics().height());

    const auto commandButton = [this, row](const char* name, CommandIcon icon, const char* tooltip,
                                           auto command) {
        QToolButton* button = MakePictureButton(name, icon, tr(tooltip));
        // A command works on the set as the user finished it, clamps written.
        connect(button, &QToolButton::clicked, this, [this, command] {
            form_.FinishEdits();
            undo_->RunCommand(command);
        });
        row->addWidget(button);
    };
    commandButton("cmdLoadD", CommandIcon::kLoadDefaults, QT_TR_NOOP("Vorgabe Daten laden..."),
                  [this] { LoadDefaults(form_); });
    commandButton("cmdSaveP", CommandIcon::kSaveParameters,
                  QT_TR_NOOP("Einstellungsdatei speichern..."), [this] { SaveAsCommand(); });
    commandButton("cmdLoadP", CommandIcon::kLoadParameters,
                  QT_TR_NOOP("Einstellungsdatei laden..."), [this] { LoadCommand(); });
    row->addSpacing(fontMetrics().height());
    // The shortcut in the tooltip; a screen reader says the command alone.
    struct HistoryButton {
        const char* name;
        CommandIcon icon;
        const char* command;
        const char* keys;
        enum class Step { kUndo, kRedo } step;
    };
    for (const HistoryButton& history :
         {HistoryButton{"cmdUndo", CommandIcon::kUndo, QT_TR_NOOP("Rückgängig"),
                        QT_TR_NOOP("Strg+Z"), HistoryButton::Step::kUndo},
          HistoryButton{"cmdRedo", CommandIcon::kRedo, QT_TR_NOOP("Wiederholen"),
                        QT_TR_NOOP("Strg+Umschalt+Z"), HistoryButton::Step::kRedo}}) {
        QToolButton* button =
            MakePictureButton(history.name, history.icon,
                              QStringLiteral("%1 (%2)").arg(tr(history.command), tr(history.keys)));
        button->setAccessibleName(tr(history.command));
        connect(button, &QToolButton::clicked, this, [this, step = history.step] {
            form_.FinishEdits();
            if (step == HistoryButton::Step::kUndo) {
                undo_->Undo();
            } else {
                undo_->Redo();
            }
        });
        row->addWidget(button);
    }
    row->addSpacing(fontMetrics().height());
    commandButton("cmdLM", CommandIcon::kDarker, QT_TR_NOOP("Dunkler..."),
                  [this] { ShiftAllLightness(form_, kDarkerStep); });
    commandButton("cmdLP", CommandIcon::kLighter, QT_TR_NOOP("Heller..."),
                  [this] { ShiftAllLightness(form_, kLighterStep); });
    row->addStretch(1);

    auto* close = new QPushButton(tr("&Schließen"));
    close->setObjectName(QStringLiteral("cmdOK"));
    close->setToolTip(tr("Dialog Schließen..."));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    row->addWidget(close);
    return row;
}

QToolButton* MainWindow::MakePictureButton(const char* name, CommandIcon icon,
                                           const QString& tooltip) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(IconFor(icon));
    button->setIconSize(QSize(kCommandIconSize, kCommandIconSize));
    button->setToolTip(tooltip);
    button->setAccessibleName(tooltip);
    return button;
}

void MainWindow::ConnectHooks() {
    form_.SetHooks({
        // The preview shows the dithered picture when the pictures are dithered.
        .drawPreview =
            [this](const GradientParams& params) {
                preview_->Box().Draw(
                    params,
                    form_.chkDither.Value() == 1 ? OutputFormat::kDithered8 : OutputFormat::kPlain8,
                    ReadFreeGradient(form_));
                panel_->Refresh(params);
                handles_->Refresh(params);
                if (undo_ != nullptr) {
                    undo_->RecordSoon();
                }
            },
        .layoutPreview = [this] { preview_->FitBox(form_.txtX.Text(), form_.txtY.Text()); },
        .updateMidControls = [this] { panel_->UpdateMidControls(); },
    });
}

void MainWindow::StartUp() {
    settingsFile_ = SettingsFilePath();
    bool loaded = false;
    if (PathExists(settingsFile_)) {
        const LoadResult result = LoadParameters(form_, settingsFile_);
        loaded = result.Loaded();
        keepSettingsFile_ = result.unreadable;
    }
    if (!loaded) {
        LoadDefaults(form_);
    }
    form_.LayoutPreview();
    form_.UpdateMidControls();
    form_.RedrawPreview();
}

void MainWindow::SaveSettings() {
    form_.FinishEdits();
    if (!settingsFile_.empty() && !keepSettingsFile_) {
        SaveParameters(form_, settingsFile_);
        RememberSize();
    }
}

void MainWindow::RestoreSize() {
    const QSize preferred = sizeHint();
    normalSize_ = preferred;
    const QScreen* shownOn = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (shownOn == nullptr) {
        return;
    }
    // Qt would open a window of no given size at two thirds of the screen at most.
    const WindowSize wanted =
        ReadWindowSize(settingsFile_).value_or(WindowSize{preferred.width(), preferred.height()});
    const QRect available = shownOn->availableGeometry();
    const QSize least = minimumSizeHint();
    const WindowSize fitted =
        FitWindowSize(wanted, available.width(), available.height(), least.width(), least.height());
    normalSize_ = QSize(fitted.width, fitted.height);
    resize(normalSize_);
    if (fitted.state == WindowState::kMaximised) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void MainWindow::RememberSize() {
    const bool maximised = isMaximized();
    // A maximised window keeps the size it returns to; so does one that was never shown.
    const QSize normal = maximised || isFullScreen() || !isVisible() ? normalSize_ : size();
    RememberWindowSize(settingsFile_, {normal.width(), normal.height(),
                                       maximised ? WindowState::kMaximised : WindowState::kNormal});
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if ((windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) ==
        Qt::WindowNoState) {
        normalSize_ = size();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    form_.FinishEdits();
    if (askBeforeClosing_ && !MayClose()) {
        event->ignore();
        return;
    }
    SaveSettings();
    event->accept();
}

}  // namespace tonzug
