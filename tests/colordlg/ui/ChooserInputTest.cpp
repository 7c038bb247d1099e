#include <QColorDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "color/SystemColors.h"
#include "colordlg/ColorList.h"
#include "colordlg/ui/ColorDialog.h"
#include "colordlg/ui/ColorListView.h"
#include "colordlg/ui/PictureBox.h"
#include "form/ui/SwatchBox.h"
#include "support/ui/DialogDriver.h"
#include "testing/QtTests.h"
#include "workspace/ui/WindowTestSupport.h"

using tonzug::ColorValue;
using tonzug::RgbColor;
using tonzug::testing::Find;
using tonzug::testing::Move;
using tonzug::testing::Press;
using tonzug::testing::Release;

// The chooser's inputs on an open window: the colour list, the fields, the strips, the
// HTML field, picking from the screen and the system colour dialog.
class ChooserInputTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        dialog_ = std::make_unique<tonzug::ColorDialog>();
        dialog_->Form().SetStartColor(RgbColor(255, 0, 0));
        dialog_->Initialize();
        dialog_->move(0, 0);
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    }
    void cleanup() { dialog_.reset(); }

    // The list shows the core's items (ColorListTest), once after every build.
    void listHoldsTheNamedColoursOnceAfterEveryBuild() {
        auto& list = Find<tonzug::ColorListView>(*dialog_, "lv");
        dialog_->Initialize();
        QCOMPARE(list.topLevelItemCount(), tonzug::kColorListCount);
        QCOMPARE(list.topLevelItem(37)->data(0, tonzug::ColorListView::kTagRole).toString(),
                 QStringLiteral("255|255"));
        const QImage swatch = list.topLevelItem(37)->icon(0).pixmap(16, 16).toImage();
        QCOMPARE(swatch.pixelColor(8, 8), QColor(Qt::red));
    }

    void clickOnASystemColourKeepsItsReference() {
        auto& list = Find<tonzug::ColorListView>(*dialog_, "lv");
        QTreeWidgetItem* face = list.topLevelItem(15);
        QCOMPARE(face->text(0), QString::fromUtf8("Schaltfläche"));
        list.scrollToItem(face);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(face).center());
        const ColorValue shown = tonzug::TranslateColor(tonzug::SystemColor(15));
        QCOMPARE(Find<tonzug::SwatchBox>(*dialog_, "pCol").Color(), tonzug::SystemColor(15));
        QCOMPARE(Text("txtG"), QString::number(tonzug::GreenOf(shown)));
        QVERIFY(face->isSelected());
        dialog_->Form().Accept();
        QCOMPARE(dialog_->Form().Result(), shown);
    }

    // The fields and strips get the mouse inside their frames, the buttons as pressed (the
    // form's rules for each button are tested in the core).
    void fieldsAndStripsTakeTheMouse() {
        auto& light = Find<tonzug::PictureBox>(*dialog_, "picFFL");
        const QPointF origin = light.contentsRect().topLeft();
        Press(light, origin + QPointF(5, 60), Qt::RightButton);
        QCOMPARE(Text("txtL1"), QStringLiteral("60"));
        Press(light, origin + QPointF(5, 10));
        Move(light, origin + QPointF(5, 100));
        Release(light, origin + QPointF(5, 100));
        QCOMPARE(Text("txtL1"), QStringLiteral("100"));
        auto& grey = Find<tonzug::PictureBox>(*dialog_, "colPickSW");
        Press(grey, origin + QPointF(3, 0));
        QCOMPARE(Text("txtHTML"), QStringLiteral("#FFFFFF"));
        Move(Find<tonzug::PictureBox>(*dialog_, "colPick"), origin + QPointF(3, 80));
        QCOMPARE(Text("txtH1"), QStringLiteral("80"));
    }

    // Enter applies a CSS colour and leaves the dialog open; a text that is no colour shows
    // as wrong, with the reason as its tooltip, until it is edited.
    void enterInTheHtmlFieldAppliesTheCode() {
        auto& html = Find<QLineEdit>(*dialog_, "txtHTML");
        html.selectAll();
        QTest::keyClicks(&html, QStringLiteral("#abc"));
        QTest::keyClick(&html, Qt::Key_Return);
        QCOMPARE(html.text(), QStringLiteral("#AABBCC"));

        const QColor usualText = html.palette().color(QPalette::Text);
        html.selectAll();
        QTest::keyClicks(&html, QStringLiteral("#12345"));
        QTest::keyClick(&html, Qt::Key_Return);
        QCOMPARE(Text("txtR"), QStringLiteral("170"));
        QVERIFY(html.palette().color(QPalette::Text) != usualText);
        QVERIFY(html.toolTip().contains(QStringLiteral("Stelle 2")));
        QTest::keyClick(&html, Qt::Key_Backspace);
        QCOMPARE(html.palette().color(QPalette::Text), usualText);
        QVERIFY(html.toolTip().isEmpty());
    }

    // A value that the dialog corrects while the user types (here only digits, at most 255)
    // is selected, so that the next key replaces it.
    void correctedTextIsReplacedByTheNextKey_data() {
        tonzug::testing::TextTable({"field", "typed", "expected"},
                                   {{"red above 255", "txtR", "3x0.0", "255"},
                                    {"and typed on", "txtR", "3007", "7"},
                                    {"saturation above 240", "txtS1", "250", "240"}});
    }
    void correctedTextIsReplacedByTheNextKey() {
        using tonzug::testing::Cell;
        QCOMPARE(tonzug::testing::TypedOver(*dialog_, Cell("field"), Cell("typed")),
                 Cell("expected"));
    }

    // A drag from the preview picks live; Escape ends a pick and puts back the colour from
    // before it, a system colour as such; after a release the last colour stays.
    void dragFromThePreviewPicksUntilReleaseOrEscape() {
        Find<QPushButton>(*dialog_, "cmdBack").click();
        const std::unique_ptr<QWidget> known = ShowKnownColourBesideTheDialog();
        auto& preview = Find<tonzug::SwatchBox>(*dialog_, "pCol");
        const QString before = Text("txtHTML");
        const QPointF over = preview.mapFromGlobal(known->mapToGlobal(QPointF(30, 30)));
        Press(preview, QPointF(5, 5));
        QCOMPARE(Text("txtHTML"), before);  // a press alone picks nothing
        Move(preview, over);
        QCOMPARE(Text("txtHTML"), QStringLiteral("#0C2238"));
        QTest::keyClick(dialog_->windowHandle(), Qt::Key_Escape);
        QCOMPARE(preview.Color(), tonzug::SystemColor(15));
        QCOMPARE(Text("txtHTML"), before);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QCOMPARE(QWidget::keyboardGrabber(), nullptr);

        Press(preview, QPointF(5, 5));
        Move(preview, over);
        Release(preview, over);
        Move(preview, QPointF(5, 5), Qt::NoButton);
        QCOMPARE(preview.Color(), RgbColor(12, 34, 56));
    }

    void doubleClickOnThePreviewOpensTheSystemDialog() {
        auto& preview = Find<tonzug::SwatchBox>(*dialog_, "pCol");
        QColor started;
        tonzug::testing::WhenShown<QColorDialog>([&started](QColorDialog& system) {
            started = system.currentColor();
            QColorDialog::setCustomColor(0, Qt::red);  // kept only for this call
            system.reject();
        });
        DoubleClick(preview);
        QCOMPARE(started, QColor(255, 0, 0));
        QCOMPARE(Text("txtHTML"), QStringLiteral("#FF0000"));
        QCOMPARE(QWidget::mouseGrabber(), nullptr);  // the double-click started no pick

        QColor firstCustom;
        tonzug::testing::WhenShown<QColorDialog>([&firstCustom](QColorDialog& system) {
            firstCustom = QColorDialog::customColor(0);
            system.setCurrentColor(QColor(10, 20, 30));
            system.accept();
        });
        DoubleClick(preview);
        QCOMPARE(firstCustom, QColor(Qt::white));
        QCOMPARE(Text("txtHTML"), QStringLiteral("#0A141E"));
        QCOMPARE(preview.Color(), RgbColor(10, 20, 30));
    }

  private:
    QString Text(const char* name) const { return Find<QLineEdit>(*dialog_, name).text(); }

    // A window of the colour #0C2238 to the right of the dialog.
    std::unique_ptr<QWidget> ShowKnownColourBesideTheDialog() const {
        auto known = std::make_unique<QWidget>();
        known->setAutoFillBackground(true);
        QPalette colors = known->palette();
        colors.setColor(QPalette::Window, QColor(12, 34, 56));
        known->setPalette(colors);
        known->setGeometry(dialog_->frameGeometry().right() + 40, 40, 60, 60);
        known->show();
        if (!QTest::qWaitForWindowExposed(known.get())) {
            qFatal("the window of known colour was never shown");
        }
        return known;
    }

    // A double-click as the window system sends it: press, release, double-click, release.
    static void DoubleClick(QWidget& widget) {
        const QPointF at(5, 5);
        Press(widget, at);
        Release(widget, at);
        tonzug::testing::SendMouse(widget, QEvent::MouseButtonDblClick, at, Qt::LeftButton,
                                   Qt::LeftButton);
        Release(widget, at);
    }

    std::unique_ptr<tonzug::ColorDialog> dialog_;
};

TONZUG_QT_TEST(ChooserInputTest)
#include "ChooserInputTest.moc"
