#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <tuple>

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
        tonzug::testing::Enter(widget, Cell("typed"));
        QCOMPARE(QString::fromStdString(tonzug::ColorToHex(dialog.Form().pCol.Color(), true)),
                 Cell("color"));
        dialog.Form().ShowColor(RgbColor(40, 80, 120), tonzug::kNoColor);
        QCOMPARE(tonzug::testing::Shown(widget), Cell("shown"));
    }

    // What each way of leaving returns: the shown colour translated (a system colour as the
    // desktop shows it) or none; Enter and Escape leave the dialog open.
    void eachWayOfLeavingReturnsItsColour_data() {
        tonzug::testing::TextTable({"way"}, {{"OK", "ok"},
                                             {"cancel button", "cancel"},
                                             {"close box", "close"},
                                             {"background then OK", "background"},
                                             {"Enter and Escape then OK", "keys"}});
    }
    void eachWayOfLeavingReturnsItsColour() {
        const QString way = Cell("way");
        bool stayed = true;
        WhenShown<ColorDialog>([&way, &stayed](ColorDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Farbauswahl"));
            tonzug::testing::Enter(Find<QLineEdit>(dialog, "txtR"), "9");
            if (way == "cancel") {
                Click(dialog, "cmdAB");
                return;
            }
            if (way == "close") {
                dialog.close();
                return;
            }
            if (way == "background") {
                Click(dialog, "cmdBack");
            } else if (way == "keys") {
                QTest::keyClick(&Find<QLineEdit>(dialog, "txtR"), Qt::Key_Return);
                QTest::keyClick(&Find<QLineEdit>(dialog, "txtHTML"), Qt::Key_Enter);
                QTest::keyClick(&dialog, Qt::Key_Escape);
                QTest::keyClick(&Find<QPushButton>(dialog, "cmdOK"), Qt::Key_Escape);
                stayed = dialog.isVisible();
            }
            Click(dialog, "cmdOK");
        });
        const ColorValue chosen = Run(tonzug::SystemColor(15), BackgroundButton::kShown);
        const ColorValue typed =
            RgbColor(9, tonzug::GreenOf(ButtonFace()), tonzug::BlueOf(ButtonFace()));
        const ColorValue expected = way == "cancel" || way == "close" ? tonzug::kNoColor
                                    : way == "background"             ? ButtonFace()
                                                                      : typed;
        QCOMPARE(chosen, expected);
        QVERIFY(stayed);
    }

    void callerDecidesTitleAndOptionalControls() {
        for (const bool optional : {false, true}) {
            QList<bool> seen;
            QString title;
            WhenShown<ColorDialog>([&](ColorDialog& dialog) {
                title = dialog.windowTitle();
                seen = {Find<QPushButton>(dialog, "cmdBack").isVisible(),
                        Find<QLineEdit>(dialog, "txtHTML").isVisible()};
                Click(dialog, "cmdAB");
            });
            tonzug::ShowColorDialog(nullptr, 0,
                                    optional ? BackgroundButton::kShown : BackgroundButton::kHidden,
                                    optional ? HtmlRow::kShown : HtmlRow::kHidden,
                                    optional ? QStringLiteral("Startfarbe") : QString());
            QCOMPARE(title,
                     optional ? QStringLiteral("Startfarbe") : QStringLiteral("Farbauswahl"));
            QCOMPARE(seen, (QList<bool>{optional, optional}));
        }
    }

    // Each colour button opens the chooser on its own swatch's colour and takes the choice.
    void mainWindowButtonsChooseIntoTheirSwatches() {
        const tonzug::testing::SettingsSandbox sandbox;
        tonzug::MainWindow window;
        window.show();
        for (const auto& [button, swatch, blue] :
             {std::tuple{"cmdStart", &window.Form().colStart, 200},
              std::tuple{"cmdEnd", &window.Form().colEnd, 100}}) {
            swatch->SetColor(RgbColor(0, 0, blue));
            QString seenBlue;
            WhenShown<ColorDialog>([&seenBlue](ColorDialog& dialog) {
                seenBlue = Find<QLineEdit>(dialog, "txtB").text();
                tonzug::testing::Enter(Find<QLineEdit>(dialog, "txtR"), "255");
                Click(dialog, "cmdOK");
            });
            Click(window, button);
            QCOMPARE(seenBlue, QString::number(blue));
            QCOMPARE(swatch->Color(), RgbColor(255, 0, blue));
        }
        const tonzug::Raster& shown = Find<tonzug::PreviewBox>(window, "picDisp").Picture();
        QCOMPARE(tonzug::FromPixel(shown.Row(shown.Height() - 1)[0]), RgbColor(255, 0, 100));
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
};

TONZUG_QT_TEST(ChooserFlowTest)
#include "ChooserFlowTest.moc"
