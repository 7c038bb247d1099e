#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTimer>

#include "colordlg/ui/ColorDialog.h"
#include "preview/ui/PreviewWindow.h"
#include "workspace/ExportParams.h"
#include "workspace/ui/HelpWindow.h"
#include "workspace/ui/WindowTestSupport.h"
#include "workspace/ui/WindowTexts.h"

namespace tonzug::testing {
namespace {

const QString kGermanTexts = QStringLiteral(TONZUG_TEST_DIR "/window-texts.de.txt");

// The texts of the main window, its help, the colour chooser and the large preview, each as
// it first opens.
QStringList TextsOfEveryWindow() {
    SettingsSandbox sandbox;
    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        qFatal("the main window was never shown");
    }
    QStringList lines = WindowTexts(window).Lines();

    ShowHelpWindow(window);
    for (QWidget* shown : QApplication::topLevelWidgets()) {
        if (shown->objectName() == QLatin1String("frmHelp")) {
            lines += WindowTexts(*shown).Lines();
            shown->close();
        }
    }

    {
        ColorDialog chooser(&window);
        chooser.show();
        lines += WindowTexts(chooser).Lines();
    }

    QTimer::singleShot(0, &window, [&lines] {
        if (QWidget* view = QApplication::activeModalWidget()) {
            lines += WindowTexts(*view).Lines();
            view->close();
        }
    });
    ShowPreviewWindow(window, ReadExportPicture(window.Form()));
    return lines;
}

QStringList StoredGermanTexts() {
    QFile file(kGermanTexts);
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot read the German texts");
    }
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

class WindowLanguageTest : public QObject {
    Q_OBJECT

  private slots:
    // With TONZUG_WRITE_WINDOW_TEXTS set, the list the German windows are held to is written
    // anew from what they show now.
    void germanWindowsShowTheirStoredTexts() {
        const QStringList shown = TextsOfEveryWindow();
        if (qEnvironmentVariableIsSet("TONZUG_WRITE_WINDOW_TEXTS")) {
            QFile file(kGermanTexts);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write((shown.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
            return;
        }
        const QStringList stored = StoredGermanTexts();
        for (int i = 0; i < std::min(shown.size(), stored.size()); ++i) {
            QCOMPARE(shown[i], stored[i]);
        }
        QCOMPARE(shown.size(), stored.size());
    }
};

TONZUG_QT_TEST(WindowLanguageTest)

}  // namespace tonzug::testing

#include "WindowLanguageTest.moc"
