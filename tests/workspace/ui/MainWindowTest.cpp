#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>

#include "form/ui/SwatchBox.h"
#include "support/ui/DialogDriver.h"
#include "testing/QtTests.h"
#include "workspace/ParameterFiles.h"
#include "workspace/ParameterKeys.h"
#include "workspace/ParameterSettings.h"
#include "workspace/WindowSize.h"
#include "workspace/ui/FormScrollArea.h"
#include "workspace/ui/MainWindow.h"
#include "workspace/ui/PreviewBox.h"
#include "workspace/ui/WindowTestSupport.h"

using tonzug::ColorValue;
using tonzug::RgbColor;
using tonzug::testing::Cell;
using tonzug::testing::Find;
using tonzug::testing::TextTable;

// What the main window's widgets do on their own: the bindings to the form, the key filter,
// the caret, the covers, the preview box's geometry, the command buttons, and the settings
// file at start and close. The form's own rules are tested in the core.
class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        sandbox_ = std::make_unique<tonzug::testing::SettingsSandbox>();
        window_ = std::make_unique<tonzug::MainWindow>();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        window_.reset();
        sandbox_.reset();
    }

    // A user's input reaches the control; a program write into the control shows.
    void bindingsCarryValuesBothWays_data() {
        TextTable({"widget", "typed", "key", "read", "written", "shown"},
                  {{"txtX", "txtX", "300", "X", "300", "40", "40"},
                   {"txtY", "txtY", "30", "Y", "30", "41", "41"},
                   {"txtMid", "txtMid", "30", "MID", "30", "70", "70"},
                   {"txtM", "txtM", "64", "M", "64", "", ""},
                   {"txtSBR", "txtSBR", "5", "SBR", "5", "7", "7"},
                   {"txtEBR", "txtEBR", "6", "EBR", "6", "8", "8"},
                   {"scrM", "scrM", "20", "MID", "20", "70", "70"},
                   {"chkMid", "chkMid", "", "MDCHK", "1", "0", "0"},
                   {"optV0", "optV0", "", "OPT", "0", "2", "0"},
                   {"optF1", "optF1", "", "FRB", "1", "0", "0"},
                   {"colStart", "colStart", "", "STCOL", "16777215", "255", "255"},
                   {"colMid", "colMid", "", "MDCOL", "16777215", "#00FF00", "65280"}});
    }
    void bindingsCarryValuesBothWays() {
        QWidget& widget = Find<QWidget>(*window_, Cell("widget").toLatin1().constData());
        tonzug::testing::Enter(widget, Cell("typed"));
        QCOMPARE(Value(Cell("key")), Cell("read"));
        if (!Cell("written").isEmpty()) {
            std::string error;
            QVERIFY(tonzug::ApplySetting(window_->Form(), Cell("key").toStdString(),
                                         Cell("written").toStdString(), error));
            QCOMPARE(tonzug::testing::Shown(widget), Cell("shown"));
        }
    }

    // The size and pixel fields drop what no number needs, typed or pasted (text without a
    // number changes nothing); the editing shortcuts pass.
    void numberFieldsTakeOnlyNumbers_data() {
        TextTable({"field", "pasted", "typed", "expected"},
                  {{"letters, stop, comma and blank dropped", "txtX", "", "a., x", "25"},
                   {"pixel field filtered", "txtM", "", "x", "128"},
                   {"percent field not filtered", "txtMid", "", "x", "50x"},
                   {"pasted unit", "txtX", "1920px", "", "1920"},
                   {"pasted percent sign", "txtX", "50 %", "1", "501"},
                   {"pasted fraction dropped", "txtX", "12.5 px", "", "12"},
                   {"pasted without a number", "txtX", "abc", "", "25"}});
    }
    void numberFieldsTakeOnlyNumbers() {
        auto& edit = Find<QLineEdit>(*window_, Cell("field").toLatin1().constData());
        edit.setFocus();
        if (!Cell("pasted").isEmpty()) {
            QGuiApplication::clipboard()->setText(Cell("pasted"));
            edit.selectAll();
            QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
        }
        edit.end(false);
        QTest::keyClicks(&edit, Cell("typed"));
        QCOMPARE(edit.text(), Cell("expected"));
        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), Cell("expected"));
    }

    // Retyping the size must not cut the bands down to what each keystroke's size allows:
    // they are clamped once, when the edit is finished.
    void typingTheSizeKeepsTheBandsUntilTheEditEnds_data() {
        TextTable({"typed", "finish", "bands"},
                  {{"larger", "800", "tab", "100 100 40"},
                   {"smaller", "30", "return", "10 10 15"},
                   {"closed while typing", "30", "close", "10 10 15"}});
    }
    void typingTheSizeKeepsTheBandsUntilTheEditEnds() {
        tonzug::ParameterForm& form = window_->Form();
        form.optV.Select(tonzug::Orientation::kHorizontal);
        form.chkMid.SetValue(1);
        for (const auto& [field, text] : {std::pair{&form.txtX, "600"},
                                          {&form.txtSBR, "100"},
                                          {&form.txtEBR, "100"},
                                          {&form.txtMBR, "40"}}) {
            field->SetText(text);
        }
        const auto bands = [](const tonzug::ParameterForm& shown) {
            return QStringLiteral("%1 %2 %3")
                .arg(QString::fromStdString(shown.txtSBR.Text()),
                     QString::fromStdString(shown.txtEBR.Text()),
                     QString::fromStdString(shown.txtMBR.Text()));
        };
        QCOMPARE(tonzug::testing::TypedOver(*window_, "txtX", Cell("typed")), Cell("typed"));
        QCOMPARE(bands(form), QStringLiteral("100 100 40"));
        if (Cell("finish") == "close") {
            window_->close();
            tonzug::MainWindow next;
            QCOMPARE(bands(next.Form()), Cell("bands"));
            return;
        }
        QTest::keyClick(&Find<QLineEdit>(*window_, "txtX"),
                        Cell("finish") == "tab" ? Qt::Key_Tab : Qt::Key_Return);
        QCOMPARE(bands(form), Cell("bands"));
        QCOMPARE(Value("X"), Cell("typed"));
    }

    void coversFollowTheMiddleControlState() {
        const auto covered = [this] {
            return QList<bool>{!IsShown("colMid"),
                               !IsShown("txtMBR"),
                               !IsShown("txtMid"),
                               !Find<QWidget>(*window_, "cmdMid").isEnabled(),
                               !Find<QWidget>(*window_, "scrM").isEnabled(),
                               !Find<QWidget>(*window_, "chkMid").isEnabled()};
        };
        QCOMPARE(covered(), (QList<bool>{true, true, false, true, false, false}));
        QVERIFY(Find<QWidget>(*window_, "colMidDmy2").toolTip().contains("ausgeschaltet"));
        window_->Form().chkMid.SetValue(1);
        QCOMPARE(covered(), (QList<bool>{false, false, false, false, false, false}));
        window_->Form().optF.Select(tonzug::ColorMode::kHsl);
        QCOMPARE(covered(), (QList<bool>{true, true, true, true, true, true}));
        QVERIFY(IsShown("colMidDummy") && IsShown("colMidDmy2") && IsShown("colMidDmy3"));
        for (const char* cover : {"colMidDummy", "colMidDmy2", "colMidDmy3"}) {
            QVERIFY(Find<QWidget>(*window_, cover).toolTip().contains("nur Start- und Endfarbe"));
        }
    }

    void previewBoxFollowsEveryKeystroke() {
        auto& box = Find<tonzug::PreviewBox>(*window_, "picDisp");
        QVERIFY(FitsWithAspect(25, 256));
        QCOMPARE(Top(box), tonzug::kWhite);
        auto& width = Find<QLineEdit>(*window_, "txtX");
        width.selectAll();
        for (const auto& [key, typed] : {std::pair{Qt::Key_3, 3}, {Qt::Key_0, 30}}) {
            QTest::keyClick(&width, key);
            QVERIFY(FitsWithAspect(typed, 256));
            QCOMPARE(box.Picture().Width(), box.width());
        }
    }

    // The window opens at the form's own size and grows; the preview takes the room and
    // keeps the picture's aspect. In a small window the columns stack and scroll, and Tab
    // still reaches every control (one option button per group) and scrolls it into view.
    void everyControlIsReachableByTabAtAnySize_data() {
        TextTable({"width", "height", "stacked"}, {{"preferred", "0", "0", "0"},
                                                   {"1280 x 720", "1280", "720", "0"},
                                                   {"800 x 600", "800", "600", "1"}});
    }
    void everyControlIsReachableByTabAtAnySize() {
        // The test screen is smaller than the window's preferred size.
        const QSize preferred = window_->sizeHint();
        const QSize size =
            Cell("width") == "0" ? preferred : QSize(Cell("width").toInt(), Cell("height").toInt());
        window_->resize(size);
        QTRY_COMPARE(window_->size(), size);
        QCOMPARE(Find<tonzug::FormScrollArea>(*window_, "scrParameters").ColumnsStacked(),
                 Cell("stacked") == "1");
        auto& container = Find<QWidget>(*window_, "Cont");
        QVERIFY(container.width() >= 256 && container.height() >= 256);
        QCOMPARE(container.width() > 300, window_->width() > preferred.width());
        QVERIFY(FitsWithAspect(25, 256));
        window_->Form().txtX.SetText("512");
        QVERIFY(FitsWithAspect(512, 256));
        QCoreApplication::processEvents();  // the change recorded: undo is enabled

        auto& parameters = Find<tonzug::FormScrollArea>(*window_, "scrParameters");
        QSet<QString> wanted;
        for (QWidget* control : window_->findChildren<QWidget*>()) {
            if ((control->focusPolicy() & Qt::TabFocus) && control->isVisibleTo(window_.get()) &&
                control->isEnabled()) {
                wanted.insert(StopName(*control));
            }
        }
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        Find<QWidget>(*window_, "cmdStart").setFocus();
        QSet<QString> reached;
        int deepest = 0;
        for (int step = 0; step < 2 * wanted.size(); ++step) {
            // The layouts settle as the event loop runs, as they do for the user.
            QCoreApplication::processEvents();
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused != nullptr);
            reached.insert(StopName(*focused));
            const QRect shown(focused->mapTo(window_.get(), QPoint(0, 0)), focused->size());
            QVERIFY2(window_->rect().contains(shown), qPrintable(StopName(*focused)));
            if (parameters.widget()->isAncestorOf(focused)) {
                const QRect inView(focused->mapTo(parameters.viewport(), QPoint(0, 0)),
                                   focused->size());
                QVERIFY2(parameters.viewport()->rect().contains(inView),
                         qPrintable(StopName(*focused)));
            }
            deepest = std::max(deepest, parameters.verticalScrollBar()->value());
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(reached, wanted);
        QCOMPARE(deepest > 0, Cell("stacked") == "1");
    }

    // The size of the last run comes back, maximised or not; a size larger than the
    // screen is shrunk to it.
    void windowSizeIsRememberedAcrossRuns() {
        window_->resize(760, 580);
        QTRY_COMPARE(window_->size(), QSize(760, 580));
        QVERIFY(window_->close());
        {
            tonzug::MainWindow next;
            next.show();
            QVERIFY(QTest::qWaitForWindowExposed(&next));
            QCOMPARE(next.size(), QSize(760, 580));
            next.showMaximized();
            QVERIFY(next.close());
        }
        const std::optional<tonzug::WindowSize> stored =
            tonzug::ReadWindowSize(window_->SettingsFile());
        QVERIFY(stored.has_value());
        QCOMPARE(stored->state, tonzug::WindowState::kMaximised);
        QCOMPARE(QSize(stored->width, stored->height), QSize(760, 580));
        QVERIFY(tonzug::RememberWindowSize(window_->SettingsFile(), {20000, 15000}));
        tonzug::MainWindow huge;
        const QRect screen = huge.screen()->availableGeometry();
        QVERIFY(huge.width() <= screen.width() && huge.height() <= screen.height());
    }

    // Each button or caption runs its command, and the preview shows the outcome.
    void commandsRunFromTheirWidgets_data() {
        TextTable({"widget", "key", "expected"},
                  {{"darker", "cmdLM", "STCOL", "8224125"},
                   {"swap colours", "cmdSwap", "STCOL", "0"},
                   {"swap sizes by Return", "cmdHBS", "X", "256"},
                   {"defaults by Enter", "cmdLoadD", "STCOL", "16777215"},
                   {"caption Lb5", "Lb5", "MID", "50"}});
    }
    void commandsRunFromTheirWidgets() {
        tonzug::ParameterForm& form = window_->Form();
        form.scrM.SetValue(20);
        form.colStart.SetColor(RgbColor(128, 128, 128));
        QWidget& widget = Find<QWidget>(*window_, Cell("widget").toLatin1().constData());
        const QString row = QString::fromLatin1(QTest::currentDataTag());
        if (row.endsWith("Return") || row.endsWith("Enter")) {
            widget.setFocus();
            QTest::keyClick(&widget, row.endsWith("Return") ? Qt::Key_Return : Qt::Key_Enter);
            QTRY_COMPARE(Value(Cell("key")), Cell("expected"));
        } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
            button->click();
        } else {
            QTest::mouseDClick(&widget, Qt::LeftButton);
        }
        QCOMPARE(Value(Cell("key")), Cell("expected"));
        QCOMPARE(Top(Find<tonzug::PreviewBox>(*window_, "picDisp")), form.colStart.Color());
    }

    // Ctrl+Z undoes the form, also while a text field has the focus: the typing is one step,
    // a command another; Ctrl+Y and Ctrl+Shift+Z redo; the buttons do the same and show
    // when there is nothing left to undo.
    void undoKeysStepThroughTheForm() {
        const QString startWidth = Value("X");
        const QString startColor = Value("STCOL");
        QCOMPARE(tonzug::testing::TypedOver(*window_, "txtX", "300"), QStringLiteral("300"));
        auto& width = Find<QLineEdit>(*window_, "txtX");
        QTest::keyClick(&width, Qt::Key_Return);
        QCoreApplication::processEvents();
        Find<QAbstractButton>(*window_, "cmdLM").click();
        const QString darker = Value("STCOL");
        QVERIFY(darker != startColor);
        width.setFocus();
        QTest::keyClick(&width, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Value("STCOL"), startColor);
        QCOMPARE(Value("X"), QStringLiteral("300"));
        auto& undo = Find<QAbstractButton>(*window_, "cmdUndo");
        QCOMPARE(Find<QWidget>(*window_, "cmdSavePNG").toolTip(),
                 QStringLiteral("Tonzug als PNG-Bild speichern... (Strg+E)"));
        QCOMPARE(
            Find<QWidget>(*window_, "cmdCopyCSS").toolTip(),
            QStringLiteral("Tonzug als CSS in die Zwischenablage kopieren... (Strg+Umschalt+C)"));
        QCOMPARE(undo.accessibleName(), QStringLiteral("Rückgängig"));
        QVERIFY(Find<QAbstractButton>(*window_, "cmdRedo").isEnabled());
        undo.click();
        QCOMPARE(Value("X"), startWidth);
        QCOMPARE(width.text(), startWidth);
        QVERIFY(!undo.isEnabled());
        QTest::keyClick(&width, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Value("X"), QStringLiteral("300"));
        QTest::keyClick(&width, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Value("STCOL"), darker);
    }

    // A loaded parameter file names the window and takes Ctrl+S; its unsaved changes are
    // marked, undo back to the saved set clears the mark, and closing with changes asks.
    void theWindowsFileIsSavedAndMarkedWhileChanged() {
        const QString file = sandbox_->Path() + QStringLiteral("/verlauf.tzg");
        window_->Form().txtX.SetText("77");
        QVERIFY(tonzug::SaveParameters(window_->Form(), file.toStdString()));
        window_->OpenFile(file);
        QCOMPARE(window_->windowTitle(), QStringLiteral("verlauf.tzg[*] – Tonzug"));
        auto& recent = Find<QMenu>(*window_, "mnuRecent");
        emit recent.aboutToShow();
        QCOMPARE(recent.actions().size(), 1);
        QCOMPARE(recent.actions().front()->text(), QStringLiteral("verlauf.tzg"));
        QVERIFY(!window_->isWindowModified());
        QCOMPARE(tonzug::testing::TypedOver(*window_, "txtX", "300"), QStringLiteral("300"));
        auto& width = Find<QLineEdit>(*window_, "txtX");
        QTest::keyClick(&width, Qt::Key_Return);
        QTRY_VERIFY(window_->isWindowModified());
        QTest::keyClick(&width, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!window_->isWindowModified());
        QTest::keyClick(&width, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(window_->isWindowModified());
        QTest::keyClick(&width, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!window_->isWindowModified());
        tonzug::ParameterForm saved;
        QVERIFY(tonzug::LoadParameters(saved, file.toStdString()).Loaded());
        QCOMPARE(saved.txtX.Text(), std::string("300"));

        window_->Form().txtY.SetText("99");
        QTRY_VERIFY(window_->isWindowModified());
        QString asked;
        tonzug::testing::WhenShown<QMessageBox>([&](QMessageBox& box) {
            asked = box.text();
            box.button(QMessageBox::Cancel)->click();
        });
        QVERIFY(!window_->close());
        QVERIFY(asked.contains(QStringLiteral("„verlauf.tzg“")));
        window_->CloseWithoutAsking();
        QVERIFY(window_->close());
    }

    // Ctrl+V outside the text fields takes a CSS gradient from the clipboard, as one step;
    // a dropped style sheet gives its gradient too.
    void pastedAndDroppedGradientsBecomeTheFreeGradient() {
        QGuiApplication::clipboard()->setText(
            QStringLiteral("background: linear-gradient(90deg, red, blue);"));
        auto& preview = Find<QWidget>(*window_, "picDisp");
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        preview.setFocus();
        QTest::keyClick(&preview, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Value("GRADIENT"), QStringLiteral("linear-gradient(90deg, #ff0000, #0000ff)"));
        QTest::keyClick(&preview, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Value("GRADIENT"), QString());

        const QString sheet = sandbox_->Path() + QStringLiteral("/hero.css");
        QFile file(sheet);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(".hero { background-image: conic-gradient(from 90deg, lime, navy); }\n");
        file.close();
        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(sheet)});
        // As a drag arrives: the window that takes the entering drag gets the drop.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &drop);
        QCOMPARE(Value("GRADIENT"), QStringLiteral("conic-gradient(from 90deg, #00ff00, #000080)"));
    }

    // A focused swatch takes a pasted colour and opens nothing; text that is no colour goes
    // on to the window as a gradient. The buttons' own keys press them; F1 opens the help.
    void swatchesTakePastedColoursAndButtonsTheirKeys() {
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        auto& swatch = Find<QWidget>(*window_, "colStart");
        QCOMPARE(swatch.accessibleName(), QStringLiteral("Startfarbe"));
        swatch.setFocus();
        QGuiApplication::clipboard()->setText(QStringLiteral(" #ff8000\n"));
        QTest::keyClick(&swatch, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Value("STCOL"), QString::number(0x0080FF));
        const QString end = Value("EDCOL");
        QTest::keyClick(&swatch, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(Value("STCOL"), end);
        QCOMPARE(Find<QWidget>(*window_, "cmdSwap").toolTip(),
                 QStringLiteral("Start- und Endfarbe tauschen... (Strg+T)"));

        // A free gradient greys out the classic colours, which draw nothing then.
        QGuiApplication::clipboard()->setText(QStringLiteral("radial-gradient(red, blue)"));
        QTest::keyClick(&swatch, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Value("GRADIENT"), QStringLiteral("radial-gradient(#ff0000, #0000ff)"));
        QVERIFY(!swatch.isEnabled());
        QTest::keyClick(&swatch, Qt::Key_F1);
        QTRY_VERIFY(window_->findChild<QWidget*>(QStringLiteral("frmHelp")) != nullptr);
    }

    void closingWritesTheSettingsThatTheNextStartReads() {
        window_->Form().txtX.SetText("512");
        window_->Form().optV.Select(tonzug::Orientation::kHorizontal);
        QTest::mouseClick(&Find<QWidget>(*window_, "cmdOK"), Qt::LeftButton);
        QVERIFY(!window_->isVisible());
        QVERIFY(window_->SettingsFile().starts_with(sandbox_->Path().toStdString()));
        tonzug::MainWindow next;
        QCOMPARE(Find<QLineEdit>(next, "txtX").text(), QStringLiteral("512"));
        next.show();
        QVERIFY(QTest::qWaitForWindowExposed(&next));
        const QRect box = Find<tonzug::PreviewBox>(next, "picDisp").geometry();
        QCOMPARE(box.width(), Find<QWidget>(next, "Cont").width());
        QCOMPARE(box.height(), box.width() / 2);
    }

  private:
    QString Value(const QString& key) const {
        const tonzug::ParameterKey& row = *tonzug::FindParameterKey(key.toStdString());
        return QString::fromStdString(tonzug::ControlText(window_->Form(), row));
    }
    bool IsShown(const char* name) const { return Find<QWidget>(*window_, name).isVisible(); }
    // The preview box fits its container on one side, keeps the picture's aspect to a
    // pixel and sits in the middle.
    bool FitsWithAspect(int width, int height) const {
        const QRect box = Find<QWidget>(*window_, "picDisp").geometry();
        const QSize container = Find<QWidget>(*window_, "Cont").size();
        const bool touches = box.width() == container.width() || box.height() == container.height();
        const bool aspect =
            std::abs(box.width() * height - box.height() * width) <= std::max(width, height);
        const bool middle = std::abs(2 * box.x() + box.width() - container.width()) <= 1 &&
                            std::abs(2 * box.y() + box.height() - container.height()) <= 1;
        const bool inside = QRect(QPoint(0, 0), container).contains(box);
        if (!(touches && aspect && middle && inside)) {
            qWarning() << "box" << box << "in" << container << "for" << width << height;
        }
        return touches && aspect && middle && inside;
    }
    // Option buttons of one frame are one stop: Tab reaches the checked one.
    static QString StopName(const QWidget& control) {
        // An option group is one stop; a spin box's text is the spin box.
        return qobject_cast<const QRadioButton*>(&control) != nullptr ||
                       qobject_cast<const QAbstractSpinBox*>(control.parentWidget()) != nullptr
                   ? control.parentWidget()->objectName()
                   : control.objectName();
    }
    static ColorValue Top(const tonzug::PreviewBox& box) {
        return tonzug::FromPixel(box.Picture().Row(0)[0]);
    }

    std::unique_ptr<tonzug::testing::SettingsSandbox> sandbox_;
    std::unique_ptr<tonzug::MainWindow> window_;
};

TONZUG_QT_TEST(MainWindowTest)
#include "MainWindowTest.moc"
