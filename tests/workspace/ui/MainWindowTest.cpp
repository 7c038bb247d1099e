#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "color/ColorValue.h"
#include "form/ui/SwatchBox.h"
#include "render/Raster.h"
#include "support/IniFile.h"
#include "support/SettingsFolder.h"
#include "workspace/ui/MainWindow.h"
#include "workspace/ui/PreviewBox.h"
#include "workspace/ui/WindowTestSupport.h"

using tonzug::ColorValue;
using tonzug::RgbColor;
using tonzug::testing::Find;

Q_DECLARE_METATYPE(tonzug::ColorValue)

// Start-up, closing with the settings file, and the commands around the swatches and the
// size fields, driven through the window's buttons and labels.
class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { sandbox_ = std::make_unique<tonzug::testing::SettingsSandbox>(); }
    void cleanup() { sandbox_.reset(); }

    void firstStartShowsDefaultsWithAnUprightPreview() {
        tonzug::MainWindow window;
        QCOMPARE(Find<QLineEdit>(window, "txtX").text(), QStringLiteral("25"));
        QCOMPARE(Find<QLineEdit>(window, "txtY").text(), QStringLiteral("256"));
        QCOMPARE(Find<QLineEdit>(window, "txtM").text(), QStringLiteral("128"));
        QCOMPARE(Find<QScrollBar>(window, "scrM").value(), 50);
        QVERIFY(Find<QRadioButton>(window, "optV1").isChecked());
        QVERIFY(Find<QRadioButton>(window, "optF0").isChecked());
        const auto& box = Find<tonzug::PreviewBox>(window, "picDisp");
        QCOMPARE(box.geometry(), QRect(116, 0, 25, 256));
        QCOMPARE(Top(box), tonzug::kWhite);
        QCOMPARE(Bottom(box), tonzug::kBlack);
    }

    void closingWritesTheSettingsThatTheNextStartReads() {
        QString settingsFile;
        {
            tonzug::MainWindow window;
            settingsFile = QString::fromStdString(window.SettingsFile());
            QVERIFY(settingsFile.startsWith(sandbox_->Path()));
            window.show();
            Find<QLineEdit>(window, "txtX").setText(QString());
            QTest::keyClicks(&Find<QLineEdit>(window, "txtX"), QStringLiteral("512"));
            QTest::mouseClick(&Find<QRadioButton>(window, "optV0"), Qt::LeftButton);
            window.Form().colEnd.SetColor(RgbColor(0, 0, 255));
            QTest::mouseClick(&Find<QWidget>(window, "cmdOK"), Qt::LeftButton);
            QVERIFY(!window.isVisible());
        }
        const std::string file = settingsFile.toStdString();
        tonzug::IniDocument saved;
        QVERIFY(saved.Load(file));
        QCOMPARE(saved.Get("LAST", "X"), std::optional<std::string>("512"));
        QCOMPARE(saved.Get("LAST", "OPT"), std::optional<std::string>("0"));

        tonzug::MainWindow next;
        QCOMPARE(Find<QLineEdit>(next, "txtX").text(), QStringLiteral("512"));
        QVERIFY(Find<QRadioButton>(next, "optV0").isChecked());
        QCOMPARE(Find<tonzug::SwatchBox>(next, "colEnd").Color(), RgbColor(0, 0, 255));
        QCOMPARE(Find<tonzug::PreviewBox>(next, "picDisp").geometry(), QRect(0, 64, 256, 128));
    }

    void aRefusedSettingsFileShowsTheDefaultsAndIsNeverOverwritten() {
        const std::string file = tonzug::SettingsFilePath();
        const QByteArray content =
            QByteArray("[LAST]\nX=7\n") + QByteArray(int(tonzug::kMaxIniFileBytes), '\n');
        {
            QFile settings(QString::fromStdString(file));
            QVERIFY(settings.open(QIODevice::WriteOnly));
            settings.write(content);
        }
        {
            tonzug::MainWindow window;
            window.show();
            QCOMPARE(Find<QLineEdit>(window, "txtX").text(), QStringLiteral("25"));
            QVERIFY(window.close());
        }
        QFile settings(QString::fromStdString(file));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QCOMPARE(settings.readAll(), content);
    }

    void anUnwritableSettingsFolderNeitherStopsStartNorClose() {
        if (::geteuid() == 0) {
            QSKIP("the super-user can write into any folder");
        }
        QVERIFY(QFile::setPermissions(sandbox_->Path(), QFile::ReadOwner | QFile::ExeOwner));
        {
            tonzug::MainWindow window;
            window.show();
            QVERIFY(window.close());
        }
        QFile::setPermissions(sandbox_->Path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void lightnessButtonsShiftEverySwatch_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<ColorValue>("before");
        QTest::addColumn<ColorValue>("after");
        QTest::newRow("grey darker")
            << "cmdLM" << RgbColor(128, 128, 128) << RgbColor(125, 125, 125);
        QTest::newRow("red lighter") << "cmdLP" << RgbColor(255, 0, 0) << RgbColor(255, 5, 5);
    }
    void lightnessButtonsShiftEverySwatch() {
        QFETCH(QString, button);
        QFETCH(ColorValue, before);
        QFETCH(ColorValue, after);
        tonzug::MainWindow window;
        auto& form = window.Form();
        for (auto* swatch : {&form.colStart, &form.colMid, &form.colEnd}) {
            swatch->SetColor(before);
        }
        Find<QToolButton>(window, button.toLatin1().constData()).click();
        for (const char* name : {"colStart", "colMid", "colEnd"}) {
            QCOMPARE(Find<tonzug::SwatchBox>(window, name).Color(), after);
        }
        QCOMPARE(Top(Find<tonzug::PreviewBox>(window, "picDisp")), after);
    }

    void swapButtonSwapsStartAndEndColours() {
        tonzug::MainWindow window;
        Find<QToolButton>(window, "cmdSwap").click();
        QCOMPARE(Find<tonzug::SwatchBox>(window, "colStart").Color(), tonzug::kBlack);
        QCOMPARE(Top(Find<tonzug::PreviewBox>(window, "picDisp")), tonzug::kBlack);
    }

    void sizeSwapTurnsTheUprightPreviewOnItsSide() {
        tonzug::MainWindow window;
        Find<QToolButton>(window, "cmdHBS").click();
        QCOMPARE(Find<QLineEdit>(window, "txtX").text(), QStringLiteral("256"));
        QCOMPARE(Find<QLineEdit>(window, "txtY").text(), QStringLiteral("25"));
        QCOMPARE(Find<tonzug::PreviewBox>(window, "picDisp").geometry(), QRect(0, 116, 256, 25));
    }

    void doubleClickOnAnyCaptionResetsTheMiddle() {
        tonzug::MainWindow window;
        window.show();
        for (const char* label : {"Lb0", "Lb1", "Lb2", "Lb3", "Lb4", "Lb5"}) {
            Find<QScrollBar>(window, "scrM").setValue(20);
            QTest::mouseDClick(&Find<QLabel>(window, label), Qt::LeftButton);
            QCOMPARE(Find<QLineEdit>(window, "txtMid").text(), QStringLiteral("50"));
            QCOMPARE(Find<QScrollBar>(window, "scrM").value(), 50);
        }
    }

    void defaultsButtonRestoresTheDefaults() {
        tonzug::MainWindow window;
        window.Form().txtX.SetText("300");
        window.Form().colStart.SetColor(RgbColor(9, 9, 9));
        Find<QToolButton>(window, "cmdLoadD").click();
        QCOMPARE(Find<QLineEdit>(window, "txtX").text(), QStringLiteral("25"));
        QCOMPARE(Top(Find<tonzug::PreviewBox>(window, "picDisp")), tonzug::kWhite);
    }

  private:
    static ColorValue Top(const tonzug::PreviewBox& box) {
        return tonzug::FromPixel(box.Picture().Row(0)[0]);
    }
    static ColorValue Bottom(const tonzug::PreviewBox& box) {
        return tonzug::FromPixel(box.Picture().Row(box.Picture().Height() - 1)[0]);
    }

    std::unique_ptr<tonzug::testing::SettingsSandbox> sandbox_;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
