#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "color/SystemColors.h"
#include "colordlg/ui/ColorDialog.h"
#include "colordlg/ui/ShowColorDialog.h"
#include "form/ui/SwatchBox.h"
#include "support/ui/DialogDriver.h"
#include "workspace/ui/MainWindow.h"
#include "workspace/ui/PreviewBox.h"
#include "workspace/ui/WindowTestSupport.h"

using tonzug::ColorDialog;
using tonzug::ColorValue;
using tonzug::RgbColor;
using tonzug::testing::Find;
using tonzug::testing::WhenShown;

// The chooser's modal run: what each way of leaving it returns, and that every call
// starts from its own colour in a fresh window.
class ChooserFlowTest : public QObject {
    Q_OBJECT

  private slots:
    void chooseReturnsTheShownColourTranslated() {
        WhenShown<ColorDialog>([](ColorDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Farbauswahl"));
            QCOMPARE(Text(dialog, "txtR"), QString::number(tonzug::RedOf(ButtonFace())));
            QCOMPARE(Find<tonzug::SwatchBox>(dialog, "pCol").Color(), ButtonFace());
            Click(dialog, "cmdOK");
        });
        const ColorValue chosen = Run(tonzug::SystemColor(15));
        QCOMPARE(chosen, ButtonFace());  // as the desktop palette shows it

        WhenShown<ColorDialog>([](ColorDialog& dialog) {
            Type(dialog, "txtG", "77");
            Click(dialog, "cmdOK");
        });
        QCOMPARE(Run(RgbColor(1, 2, 3)), RgbColor(1, 77, 3));
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

    void aSecondCallStartsFresh() {
        WhenShown<ColorDialog>([](ColorDialog& dialog) {
            Click(dialog, "cmdBack");
            Click(dialog, "cmdAB");
        });
        QCOMPARE(
            tonzug::ShowColorDialog(nullptr, RgbColor(9, 9, 9), tonzug::BackgroundButton::kShown,
                                    tonzug::HtmlRow::kShown, QString()),
            tonzug::kNoColor);
        QString seenRed;
        WhenShown<ColorDialog>([&seenRed](ColorDialog& dialog) {
            seenRed = Text(dialog, "txtR");
            Click(dialog, "cmdOK");
        });
        QCOMPARE(Run(RgbColor(40, 50, 60)), RgbColor(40, 50, 60));
        QCOMPARE(seenRed, QStringLiteral("40"));
    }

    void backgroundButtonChoosesTheTranslatedButtonFace() {
        WhenShown<ColorDialog>([](ColorDialog& dialog) {
            Click(dialog, "cmdBack");
            QCOMPARE(Find<tonzug::SwatchBox>(dialog, "pCol").Color(), tonzug::SystemColor(15));
            Click(dialog, "cmdOK");
        });
        const ColorValue chosen =
            tonzug::ShowColorDialog(nullptr, RgbColor(9, 9, 9), tonzug::BackgroundButton::kShown,
                                    tonzug::HtmlRow::kHidden, QString());
        QCOMPARE(chosen, ButtonFace());
    }

    void callerDecidesTitleAndOptionalControls() {
        struct Seen {
            QString title;
            bool back = false;
            bool html = false;
            bool fixed = false;
            bool noMinMax = false;
        } seen;
        WhenShown<ColorDialog>([&seen](ColorDialog& dialog) {
            seen = {dialog.windowTitle(), Find<QPushButton>(dialog, "cmdBack").isVisible(),
                    Find<QLineEdit>(dialog, "txtHTML").isVisible() &&
                        Find<QLabel>(dialog, "lblHTML").isVisible() &&
                        Find<QPushButton>(dialog, "cmdHTML").isVisible(),
                    dialog.minimumSize() == dialog.maximumSize(),
                    !(dialog.windowFlags() &
                      (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))};
            Click(dialog, "cmdAB");
        });
        tonzug::ShowColorDialog(nullptr, 0, tonzug::BackgroundButton::kHidden,
                                tonzug::HtmlRow::kShown, QStringLiteral("Startfarbe"));
        QCOMPARE(seen.title, QStringLiteral("Startfarbe"));
        QVERIFY(!seen.back);
        QVERIFY(seen.html);
        QVERIFY(seen.fixed);
        QVERIFY(seen.noMinMax);

        WhenShown<ColorDialog>([&seen](ColorDialog& dialog) {
            seen.back = Find<QPushButton>(dialog, "cmdBack").isVisible();
            seen.html = Find<QLineEdit>(dialog, "txtHTML").isVisible();
            Type(dialog, "txtB", "200");  // the other displays work without the HTML row
            Click(dialog, "cmdOK");
        });
        QCOMPARE(tonzug::ShowColorDialog(nullptr, 0, tonzug::BackgroundButton::kShown,
                                         tonzug::HtmlRow::kHidden, QString()),
                 RgbColor(0, 0, 200));
        QVERIFY(seen.back);
        QVERIFY(!seen.html);
    }

    void mainWindowButtonsChooseIntoTheirSwatches() {
        const tonzug::testing::SettingsSandbox sandbox;
        tonzug::MainWindow window;
        window.Form().colEnd.SetColor(RgbColor(0, 0, 200));
        window.show();
        QString seenBlue;
        WhenShown<ColorDialog>([&seenBlue](ColorDialog& dialog) {
            seenBlue = Text(dialog, "txtB");
            Type(dialog, "txtR", "255");
            Click(dialog, "cmdOK");
        });
        Click(window, "cmdEnd");
        QCOMPARE(seenBlue, QStringLiteral("200"));
        QCOMPARE(window.Form().colEnd.Color(), RgbColor(255, 0, 200));
        const auto& preview = Find<tonzug::PreviewBox>(window, "picDisp");
        const tonzug::Raster& shown = preview.Picture();
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

    static ColorValue Run(ColorValue start) {
        return tonzug::ShowColorDialog(nullptr, start, tonzug::BackgroundButton::kHidden,
                                       tonzug::HtmlRow::kShown, QString());
    }

    static QString Text(const QWidget& dialog, const char* name) {
        return Find<QLineEdit>(dialog, name).text();
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

QTEST_MAIN(ChooserFlowTest)
#include "ChooserFlowTest.moc"
