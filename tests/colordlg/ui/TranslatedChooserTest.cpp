#include <QAbstractButton>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QSet>
#include <QTest>
#include <QTreeWidget>

#include "colordlg/ColorList.h"
#include "colordlg/ui/ColorDialog.h"
#include "colordlg/ui/ColorListView.h"
#include "desktop/ui/InterfaceLanguage.h"
#include "testing/QtTests.h"

// The colour chooser in English: its captions, its list of colours and its refusals, with
// a mnemonic of its own for each button.
class TranslatedChooserTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { tonzug::InstallInterfaceLanguage(QLocale(QStringLiteral("en_GB"))); }

    void chooserSpeaksEnglish() {
        tonzug::ColorDialog chooser;
        chooser.Initialize();
        chooser.show();
        QCOMPARE(chooser.windowTitle(), QStringLiteral("Select Colour"));
        QSet<QChar> mnemonics;
        for (const QAbstractButton* button : chooser.findChildren<QAbstractButton*>()) {
            const qsizetype marker = button->text().indexOf(QLatin1Char('&'));
            if (marker >= 0) {
                const QChar key = button->text().at(marker + 1).toLower();
                QVERIFY2(!mnemonics.contains(key), qPrintable(button->text()));
                mnemonics.insert(key);
            }
        }
        QCOMPARE(mnemonics.size(), 2);

        const auto& list = *chooser.findChild<tonzug::ColorListView*>();
        QCOMPARE(list.headerItem()->text(0), QStringLiteral("System colours"));
        const std::vector<tonzug::ColorListItem> german = tonzug::BuildColorList();
        QCOMPARE(list.topLevelItemCount(), static_cast<int>(german.size()));
        QCOMPARE(list.topLevelItem(0)->text(0), QStringLiteral("Scroll bars"));
        QCOMPARE(list.topLevelItem(tonzug::kColorListCount - 1)->text(0), QStringLiteral("White"));
        // Names the two languages share are the only ones left as they were.
        const QSet<QString> shared = {QStringLiteral("Desktop"), QStringLiteral("Cyan"),
                                      QStringLiteral("Magenta")};
        QSet<QString> names;
        for (int row = 0; row < list.topLevelItemCount(); ++row) {
            const QString name = list.topLevelItem(row)->text(0);
            const QString source = QString::fromStdString(german[static_cast<size_t>(row)].name);
            QVERIFY2(name != source || shared.contains(name), qPrintable(name));
            names.insert(name);
        }
        QCOMPARE(names.size(), list.topLevelItemCount());

        auto& html = *chooser.findChild<QLineEdit*>(QStringLiteral("txtHTML"));
        html.selectAll();
        QTest::keyClicks(&html, QStringLiteral("#12345"));
        QTest::keyClick(&html, Qt::Key_Return);
        QVERIFY2(html.toolTip().contains(QStringLiteral("at character")),
                 qPrintable(html.toolTip()));
    }
};

TONZUG_QT_TEST(TranslatedChooserTest)

#include "TranslatedChooserTest.moc"
