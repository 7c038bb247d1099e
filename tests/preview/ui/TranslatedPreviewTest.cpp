#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QTest>
#include <QWidget>

#include "desktop/ui/InterfaceLanguage.h"
#include "preview/ui/PreviewWindow.h"
#include "support/ui/DialogDriver.h"
#include "testing/QtTests.h"
#include "testing/SampleGradient.h"

using tonzug::testing::Cell;

// The large preview in each language: its keys as that language's keyboards name them and
// a fractional zoom with that language's decimal sign.
class TranslatedPreviewTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanupTestCase() { tonzug::InstallInterfaceLanguage(QLocale(QStringLiteral("en_GB"))); }

    void previewNamesKeysAndNumbersInTheLanguage_data() {
        tonzug::testing::TextTable(
            {"locale", "title", "tooltip", "decimalSign", "size"},
            {{"German", "de_DE", "Tonzug Voransicht", "Ganzes Bild im Fenster zeigen (Strg+0)", ",",
              "30000 × 20 Pixel"},
             {"English", "en_GB", "Tonzug Preview", "Show the whole picture in the window (Ctrl+0)",
              ".", "30000 × 20 pixels"}});
    }
    void previewNamesKeysAndNumbersInTheLanguage() {
        tonzug::InstallInterfaceLanguage(QLocale(Cell("locale")));
        QString title, tooltip, zoom, size;
        tonzug::testing::WhenShown<QDialog>([&](QDialog& view) {
            title = view.windowTitle();
            tooltip = view.findChild<QAbstractButton*>(QStringLiteral("cmdFit"))->toolTip();
            zoom = view.findChild<QLabel*>(QStringLiteral("lblZoom"))->text();
            size = view.findChild<QLabel*>(QStringLiteral("lblSize"))->text();
            view.reject();
        });
        // So wide that the fit needs a fraction of a percent.
        QWidget owner;
        tonzug::ShowPreviewWindow(owner,
                                  {tonzug::testing::RedToBlue(tonzug::Orientation::kHorizontal,
                                                              tonzug::ColorMode::kRgb, 30000, 20)});
        QCOMPARE(title, Cell("title"));
        QCOMPARE(tooltip, Cell("tooltip"));
        QCOMPARE(size, Cell("size"));
        QVERIFY2(zoom.contains(Cell("decimalSign")), qPrintable(zoom));
    }
};

TONZUG_QT_TEST(TranslatedPreviewTest)

#include "TranslatedPreviewTest.moc"
