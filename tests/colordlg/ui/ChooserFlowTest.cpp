#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "color/ColorText.h"
#include "color/SystemColors.h"
#include "colordlg/ui/ColorDialog.h"
#include "colordlg/ui/ShowColorDialog.h"
#include "form/ui/SwatchBox.h"
#include "support/ui/DialogDriver.h"
#include "testing/QtTests.h"
#include "workspace/ui/MainWindow.h"
#include "workspace/ui/PreviewBox.h"
#include "workspace/ui/WindowTestSupport.h"

using tonzug::BackgroundButton;
using tonzug::ColorDialog;
using tonzug::ColorValue;
using tonzug::HtmlRow;
using tonzug::RgbColor;
using tonzug::testing::Cell;
using tonzug::testing::Find;
using tonzug::testing::WhenShown;

// The chooser's widgets and its modal run: the bindings, what each way of leaving it
// returns, the parts the caller chooses, and the main window's buttons that open it.
class ChooserFlowTest : public QObject {
    Q_OBJECT

  private slots:
    // Input into a widget reaches the colour; a colour the form shows reaches the widget.
    void bindingsCarryValuesBothWays_data() {
        tonzug::testing::TextTable(
            {"widget", "typed", "color", "shown"},  // from #0A141E; shown for #285078
            {{"txtR", "txtR", "200", "#C8141E", "40"},
             {"txtG", "txtG", "200", "#0AC81E", "80"},
             {"txtB", "txtB", "200", "#0A14C8", "120"},
             {"txtS", "txtS", "100", "#646464", "72"},
             {"txtH1", "txtH1", "160", "#0A0A1E", "140"},
             {"txtS1", "txtS1", "0", "#141414", "120"},
             {"txtL1", "txtL1", "240", "#FFFFFF", "75"},
             {"txtHTML", "txtHTML", "#FF8000", "#FF8000", "#285078"},
             {"scrR", "scrR", "200", "#C8141E", "40"},
             {"scrG", "scrG", "200", "#0AC81E", "80"},
             {"scrB", "scrB", "200", "#0A14C8", "120"},
             {"scrS", "scrS", "100", "#646464", "72"},
             {"scrH1", "scrH1", "160", "#0A0A1E", "140"},
             {"scrS1", "scrS1", "0", "#141414", "120"},
             {"scrL1", "scrL1", "240", "#FFFFFF", "75"},
             {"pCol", "pCol", "", "#0A141E", "7884840"},
             {"picSW", "picSW", "", "#0A141E", "4737096"}});
    }
    void bindingsCarryValuesBothWays() {
        ColorDialog dialog;
        dialog.Form().ShowColor(RgbColor(10, 20, 30), tonzug::kNoColor);
        dialog.show();
        QWidget& widget = Find<QWidget>(dialog, Cell("widget").toLatin1().constData());
        if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
            edit->selectAll();
            QTest::keyClicks(edit, Cell("typed"));
        } else if (auto* bar = qobject_cast<QScrollBar*>(&widget)) {
            bar->setValue(Cell("typed").toInt());
        }
        QCOMPARE(QString::fromStdString(tonzug::ColorToHex(dialog.Form().pCol.Color(), true)),
                 Cell("color"));
        dialog.Form().ShowColor(RgbColor(40, 80, 120), tonzug::kNoColor);
        QString shown;
        if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
            shown = edit->text();
        } else if (auto* bar = qobject_cast<QScrollBar*>(&widget)) {
            shown = QString::number(bar->value());
        } else {
            shown = QString::number(qobject_cast<tonzug::SwatchBox*>(&widget)->Color());
        }
        QCOMPARE(shown, Cell("shown"));
    }

    void chooseReturnsTheShownColourTranslated() {
        WhenShown<ColorDialog>([](ColorDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Farbauswahl"));
            QCOMPARE(Find<tonzug::SwatchBox>(dialog, "pCol").Color(), ButtonFace());
            Click(dialog, "cmdOK");
        });
        const ColorValue chosen = Run(tonzug::SystemColor(15));
        QCOMPARE(chosen, ButtonFace());  // as the desktop palette shows it
    }

    void cancelAndTheCloseBoxReturnNoColour() {
        for (const bool closeBox : {false, true}) {
            WhenShown<ColorDialog>([closeBox](ColorDialog& dialog) {
                Type(dialog, "txtR", "9");
                closeBox ? void(dialog.close()) : Click(dialog, "cmdAB");
            });
            QCOMPARE(Run(RgbColor(100, 100, 100)), tonzug::kNoColor);
        }
    }

    void enterAndEscapeLeaveTheDialogOpen() {
        bool stayed = false;
        WhenShown<ColorDialog>([&stayed](ColorDialog& dialog) {
            Find<QLineEdit>(dialog, "txtR").setFocus();
            QTest::keyClick(&Find<QLineEdit>(dialog, "txtR"), Qt::Key_Return);
            QTest::keyClick(&Find<QLineEdit>(dialog, "txtHTML"), Qt::Key_Enter);
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QTest::keyClick(&Find<QPushButton>(dialog, "cmdOK"), Qt::Key_Escape);
            stayed = dialog.isVisible();
            Click(dialog, "cmdOK");
        });
        QCOMPARE(Run(RgbColor(5, 6, 7)), RgbColor(5, 6, 7));
        QVERIFY(stayed);
    }

    void backgroundButtonChoosesTheButtonFaceAndTheNextCallStartsFresh() {
        WhenShown<ColorDialog>([](ColorDialog& dialog) {
            Click(dialog, "cmdBack");
            Click(dialog, "cmdOK");
        });
        const ColorValue chosen = Run(RgbColor(9, 9, 9), BackgroundButton::kShown);
        QCOMPARE(chosen, ButtonFace());
        QString seenRed;
        WhenShown<ColorDialog>([&seenRed](ColorDialog& dialog) {
            seenRed = Find<QLineEdit>(dialog, "txtR").text();
            Click(dialog, "cmdOK");
        });
        QCOMPARE(Run(RgbColor(40, 50, 60)), RgbColor(40, 50, 60));
        QCOMPARE(seenRed, QStringLiteral("40"));
    }

    void callerDecidesTitleAndOptionalControls() {
        for (const bool optional : {false, true}) {
            QList<bool> seen;
            QString title;
            WhenShown<ColorDialog>([&](ColorDialog& dialog) {
                title = dialog.windowTitle();
                seen = {Find<QPushButton>(dialog, "cmdBack").isVisible(),
                        Find<QLineEdit>(dialog, "txtHTML").isVisible(),
                        Find<QLabel>(dialog, "lblHTML").isVisible(),
                        Find<QPushButton>(dialog, "cmdHTML").isVisible(),
                        dialog.minimumSize() == dialog.maximumSize(),
                        !(dialog.windowFlags() &
                          (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))};
                Click(dialog, "cmdAB");
            });
            tonzug::ShowColorDialog(nullptr, 0,
                                    optional ? BackgroundButton::kShown : BackgroundButton::kHidden,
                                    optional ? HtmlRow::kShown : HtmlRow::kHidden,
                                    optional ? QStringLiteral("Startfarbe") : QString());
            QCOMPARE(title,
                     optional ? QStringLiteral("Startfarbe") : QStringLiteral("Farbauswahl"));
            QCOMPARE(seen, (QList<bool>{optional, optional, optional, optional, true, true}));
        }
    }

    void mainWindowButtonsChooseIntoTheirSwatches() {
        const tonzug::testing::SettingsSandbox sandbox;
        tonzug::MainWindow window;
        window.Form().colEnd.SetColor(RgbColor(0, 0, 200));
        window.show();
        QString seenBlue;
        WhenShown<ColorDialog>([&seenBlue](ColorDialog& dialog) {
            seenBlue = Find<QLineEdit>(dialog, "txtB").text();
            Type(dialog, "txtR", "255");
            Click(dialog, "cmdOK");
        });
        Click(window, "cmdEnd");
        QCOMPARE(seenBlue, QStringLiteral("200"));
        QCOMPARE(window.Form().colEnd.Color(), RgbColor(255, 0, 200));
        const tonzug::Raster& shown = Find<tonzug::PreviewBox>(window, "picDisp").Picture();
        QCOMPARE(tonzug::FromPixel(shown.Row(shown.Height() - 1)[0]), RgbColor(255, 0, 200));

        WhenShown<ColorDialog>([](ColorDialog& dialog) {
            Type(dialog, "txtG", "99");
            dialog.close();
        });
        Click(window, "cmdStart");
        QCOMPARE(window.Form().colStart.Color(), tonzug::kWhite);
    }

  private:
    static ColorValue ButtonFace() { return tonzug::TranslateColor(tonzug::SystemColor(15)); }

    static ColorValue Run(ColorValue start,
                          BackgroundButton background = BackgroundButton::kHidden) {
        return tonzug::ShowColorDialog(nullptr, start, background, HtmlRow::kShown, QString());
    }

    static void Click(const QWidget& dialog, const char* name) {
        QTest::mouseClick(&Find<QAbstractButton>(dialog, name), Qt::LeftButton);
    }

    // Replaces a field's text by typing, as a person would after selecting it.
    static void Type(const QWidget& dialog, const char* name, const char* text) {
        auto& edit = Find<QLineEdit>(dialog, name);
        edit.selectAll();
        QTest::keyClicks(&edit, QString::fromLatin1(text));
    }
};

TONZUG_QT_TEST(ChooserFlowTest)
#include "ChooserFlowTest.moc"
