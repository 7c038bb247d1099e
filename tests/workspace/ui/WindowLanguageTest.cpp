#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>

#include "colordlg/ui/ColorDialog.h"
#include "desktop/ui/InterfaceLanguage.h"
#include "preview/ui/PreviewWindow.h"
#include "workspace/ExportParams.h"
#include "workspace/ui/HelpWindow.h"
#include "workspace/ui/WindowTestSupport.h"
#include "workspace/ui/WindowTexts.h"

namespace tonzug::testing {
namespace {

const QString kGermanTexts = QStringLiteral(TONZUG_TEST_DIR "/window-texts.de.txt");

// The texts of the main window, its help, the colour chooser and the large preview, each as
// it first opens; and each window's access keys that two of its controls claim.
struct EveryWindow {
    QStringList lines;
    QStringList mnemonicClashes;

    void Add(const QWidget& window) {
        const WindowTexts texts(window);
        lines += texts.Lines();
        for (const QString& key : texts.MnemonicClashes()) {
            mnemonicClashes << window.objectName() + QStringLiteral(": ") + key;
        }
    }
};

EveryWindow TextsOfEveryWindow() {
    SettingsSandbox sandbox;
    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        qFatal("the main window was never shown");
    }
    EveryWindow every;
    every.Add(window);

    ShowHelpWindow(window);
    for (QWidget* shown : QApplication::topLevelWidgets()) {
        if (shown->objectName() == QLatin1String("frmHelp")) {
            every.Add(*shown);
            shown->close();
        }
    }

    {
        ColorDialog chooser(&window);
        chooser.show();
        every.Add(chooser);
    }

    QTimer::singleShot(0, &window, [&every] {
        if (QWidget* view = QApplication::activeModalWidget()) {
            every.Add(*view);
            view->close();
        }
    });
    ShowPreviewWindow(window, ReadExportPicture(window.Form()));
    return every;
}

QStringList StoredGermanTexts() {
    QFile file(kGermanTexts);
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot read the German texts");
    }
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Words that English shares with German, names and key names: what an English window may show.
const QStringList kSharedWords = [] {
    QStringList words;
    for (const char* word :
         {"Tonzug", "Linear", "linear", "Horizontal", "Ellipse", "Dithering", "Export", "Display",
          "Start",  "End",    "Oklab",  "OkLCh",      "sRGB",    "ProPhoto",  "Rec",    "LCh",
          "Lab",    "tonzug", "man",    "help",       "tzg",     "ggr",       "css",    "abc",
          "rgb",    "Esc",    "Alt",    "Minus",      "Plus"}) {
        words << QString::fromLatin1(word);
    }
    return words;
}();

// How much of a line a failure shows.
constexpr int kShownLength = 100;

// The German words of the stored texts that English does not share.
QStringList GermanOnlyWords() {
    QStringList words;
    for (const QString& line : StoredGermanTexts()) {
        const QString text = line.section(QStringLiteral(": "), 1);
        for (const QString& word :
             text.split(QRegularExpression(QStringLiteral("[^\\p{L}]+")), Qt::SkipEmptyParts)) {
            const bool acronym = word == word.toUpper();
            if (word.size() > 2 && !acronym && !kSharedWords.contains(word) &&
                !words.contains(word)) {
                words << word;
            }
        }
    }
    return words;
}

}  // namespace

class WindowLanguageTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { InstallInterfaceLanguage(QLocale::c()); }

    void theLocaleChoosesTheLanguage_data() {
        TextTable({"locale", "language"}, {{"no language chosen", "C", "de"},
                                           {"German", "de_DE", "de"},
                                           {"Austrian German", "de_AT", "de"},
                                           {"American English", "en_US", "en"},
                                           {"British English", "en_GB", "en"},
                                           {"French, untranslated", "fr_FR", "en"},
                                           {"Japanese, untranslated", "ja_JP", "en"}});
    }
    void theLocaleChoosesTheLanguage() {
        const InterfaceLanguage language = LanguageForLocale(QLocale(Cell("locale")));
        QCOMPARE(
            language == InterfaceLanguage::kGerman ? QStringLiteral("de") : QStringLiteral("en"),
            Cell("language"));
    }

    // German and the C locale show every text as the stored list has it, byte for byte.
    void germanAndNoLanguageShowTheStoredTexts_data() {
        TextTable({"locale"}, {{"C", "C"}, {"German", "de_DE"}, {"Swiss German", "de_CH"}});
    }
    void germanAndNoLanguageShowTheStoredTexts() {
        QCOMPARE(InstallInterfaceLanguage(QLocale(Cell("locale"))), InterfaceLanguage::kGerman);
        const EveryWindow every = TextsOfEveryWindow();
        QCOMPARE(every.mnemonicClashes, QStringList());
        const QStringList& shown = every.lines;
        const QStringList stored = StoredGermanTexts();
        for (int i = 0; i < std::min(shown.size(), stored.size()); ++i) {
            QCOMPARE(shown[i], stored[i]);
        }
        QCOMPARE(shown.size(), stored.size());
    }

    // Every other locale shows English: no text of any window keeps a German word.
    void otherLocalesShowNoGermanText_data() {
        TextTable({"locale"}, {{"American English", "en_US"}, {"French", "fr_FR"}});
    }
    void otherLocalesShowNoGermanText() {
        QCOMPARE(InstallInterfaceLanguage(QLocale(Cell("locale"))), InterfaceLanguage::kEnglish);
        const QStringList germanWords = GermanOnlyWords();
        QStringList german;
        const EveryWindow every = TextsOfEveryWindow();
        QCOMPARE(every.mnemonicClashes, QStringList());
        for (const QString& line : every.lines) {
            const QString text = line.section(QStringLiteral(": "), 1);
            const bool umlaut = text.contains(QRegularExpression(QStringLiteral("[äöüÄÖÜß]")));
            const auto words =
                text.split(QRegularExpression(QStringLiteral("[^\\p{L}]+")), Qt::SkipEmptyParts);
            for (const QString& word : words) {
                if (germanWords.contains(word)) {
                    german << word + QStringLiteral(" in ") + line.left(kShownLength);
                }
            }
            if (umlaut) {
                german << line.left(kShownLength);
            }
        }
        for (const QString& found : german) {
            qWarning("German: %s", qPrintable(found));
        }
        QVERIFY(german.isEmpty());
    }
};

TONZUG_QT_TEST(WindowLanguageTest)

}  // namespace tonzug::testing

#include "WindowLanguageTest.moc"
