#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>
#include <memory>

#include "workspace/ui/MainWindow.h"
#include "workspace/ui/PreviewBox.h"
#include "workspace/ui/WindowTestSupport.h"

using tonzug::testing::Find;

// Typing into the fields, the key filter, the middle-position chain and the covers, all
// through the widgets a user works with.
class ParameterPanelTest : public QObject {
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

    void keyFilterOfWidthField_data() {
        QTest::addColumn<QTestEventList>("keys");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, QTestEventList keys, const char* expected) {
            QTest::newRow(name) << keys << QString::fromLatin1(expected);
        };
        QTestEventList letters;
        letters.addKeyClicks(QStringLiteral("a., x"));
        row("letters, stop, comma and blank dropped", letters, "25");
        QTestEventList signs;
        signs.addKeyClicks(QStringLiteral("+-7"));
        row("digits and signs typed", signs, "25+-7");
        QTestEventList backspace;
        backspace.addKeyClick(Qt::Key_Backspace);
        row("backspace erases", backspace, "2");
        QTestEventList selectAll;
        selectAll.addKeyClick(Qt::Key_A, Qt::ControlModifier);
        selectAll.addKeyClicks(QStringLiteral("400"));
        row("ctrl+a selects all", selectAll, "400");
        QTestEventList undoRedo;
        undoRedo.addKeyClick(Qt::Key_7);
        undoRedo.addKeyClick(Qt::Key_Z, Qt::ControlModifier);
        row("ctrl+z undoes", undoRedo, "25");
        undoRedo.addKeyClick(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        row("ctrl+shift+z redoes", undoRedo, "257");
        QTestEventList cut;
        cut.addKeyClick(Qt::Key_Home, Qt::ShiftModifier);
        cut.addKeyClick(Qt::Key_X, Qt::ControlModifier);
        cut.addKeyClick(Qt::Key_1);
        cut.addKeyClick(Qt::Key_V, Qt::ControlModifier);
        row("ctrl+x cuts", cut, "125");
        QTestEventList copyPaste;
        copyPaste.addKeyClick(Qt::Key_Home, Qt::ShiftModifier);
        copyPaste.addKeyClick(Qt::Key_C, Qt::ControlModifier);
        copyPaste.addKeyClick(Qt::Key_End);
        copyPaste.addKeyClick(Qt::Key_V, Qt::ControlModifier);
        row("ctrl+c and ctrl+v work", copyPaste, "2525");
    }
    void keyFilterOfWidthField() {
        QFETCH(QTestEventList, keys);
        QFETCH(QString, expected);
        auto& width = Find<QLineEdit>(*window_, "txtX");
        width.setFocus();
        width.setCursorPosition(width.text().size());
        keys.simulate(&width);
        QCOMPARE(width.text(), expected);
        QCOMPARE(QString::fromStdString(window_->Form().txtX.Text()), expected);
    }

    void pixelFieldIsFilteredAndPercentFieldIsNot() {
        auto& pixels = Find<QLineEdit>(*window_, "txtM");
        auto& percent = Find<QLineEdit>(*window_, "txtMid");
        pixels.setCursorPosition(pixels.text().size());
        QTest::keyClicks(&pixels, QStringLiteral("x"));
        QCOMPARE(pixels.text(), QStringLiteral("128"));
        percent.setCursorPosition(percent.text().size());
        QTest::keyClicks(&percent, QStringLiteral("x"));
        QCOMPARE(percent.text(), QStringLiteral("50x"));
    }

    void pastedLettersReachTheFieldWithoutHarm() {
        auto& width = Find<QLineEdit>(*window_, "txtX");
        QApplication::clipboard()->setText(QStringLiteral("abc"));
        width.selectAll();
        QTest::keyClick(&width, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(width.text(), QStringLiteral("abc"));
        QCOMPARE(window_->Form().txtM.Text(), "0");
    }

    void typingRedrawsAtEveryKeystroke() {
        auto& width = Find<QLineEdit>(*window_, "txtX");
        auto& box = Find<tonzug::PreviewBox>(*window_, "picDisp");
        width.selectAll();
        const struct {
            Qt::Key key;
            QRect box;
        } steps[] = {{Qt::Key_3, {126, 0, 3, 256}},
                     {Qt::Key_0, {113, 0, 30, 256}},
                     {Qt::Key_0, {0, 19, 256, 218}}};
        for (const auto& step : steps) {
            QTest::keyClick(&width, step.key);
            QCOMPARE(box.geometry(), step.box);
            QCOMPARE(box.Picture().Width(), step.box.width());
            QCOMPARE(box.Picture().Height(), step.box.height());
        }
    }

    // A value that the program corrects while the user types is selected, so that the
    // next key replaces it rather than landing behind it.
    void correctedTextIsReplacedByTheNextKey_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("minus in a band") << "txtSBR"
                                         << "-3"
                                         << "3";
        QTest::newRow("leading zero in a band") << "txtSBR"
                                                << "05"
                                                << "5";
        QTest::newRow("band above a third") << "txtEBR"
                                            << "90"
                                            << "85";
        QTest::newRow("percent above 100") << "txtMid"
                                           << "150"
                                           << "100";
        QTest::newRow("and typed on") << "txtMid"
                                      << "1507"
                                      << "7";
    }
    void correctedTextIsReplacedByTheNextKey() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        auto& edit = Find<QLineEdit>(*window_, field.toLatin1().constData());
        edit.setFocus();
        edit.selectAll();
        QTest::keyClicks(&edit, typed);
        QCOMPARE(edit.text(), expected);
    }

    // The gestures that nothing on the screen shows are told in the tooltips.
    void tooltipsTellOfTheHiddenGestures_data() {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QString>("gesture");
        QTest::newRow("swatch") << "colStart"
                                << "Maustaste ziehen: Farbe vom Bildschirm";
        QTest::newRow("middle swatch") << "colMid"
                                       << "Maustaste ziehen: Farbe vom Bildschirm";
        QTest::newRow("preview") << "picDisp"
                                 << "Doppelklick: große Voransicht";
        QTest::newRow("caption") << "Lb3"
                                 << "Doppelklick: Mittelpunkt auf 50 %";
    }
    void tooltipsTellOfTheHiddenGestures() {
        QFETCH(QString, widget);
        QFETCH(QString, gesture);
        QVERIFY(Find<QWidget>(*window_, widget.toLatin1().constData()).toolTip().contains(gesture));
    }

    void hslCoversEveryMiddleControl() {
        // Middle colour off: only its swatch and band are covered.
        QVERIFY(!IsShown("colMid") && IsShown("colMidDummy") && !IsShown("txtMBR"));
        QVERIFY(IsShown("txtMid") && Find<QScrollBar>(*window_, "scrM").isEnabled());
        Find<QCheckBox>(*window_, "chkMid").click();
        QVERIFY(IsShown("colMid"));
        QVERIFY(IsShown("txtMBR"));
        QTest::mouseClick(&Find<QRadioButton>(*window_, "optF1"), Qt::LeftButton);
        QVERIFY(!IsShown("colMid") && IsShown("colMidDummy"));
        QVERIFY(!IsShown("txtMBR") && IsShown("colMidDmy2"));
        QVERIFY(!IsShown("txtMid") && !IsShown("txtM") && IsShown("colMidDmy3"));
        QVERIFY(!Find<QScrollBar>(*window_, "scrM").isEnabled());
        QVERIFY(!Find<QCheckBox>(*window_, "chkMid").isEnabled());
        QVERIFY(!Find<QWidget>(*window_, "cmdMid").isEnabled());
        QTest::mouseClick(&Find<QRadioButton>(*window_, "optF0"), Qt::LeftButton);
        QVERIFY(IsShown("colMid") && IsShown("txtMBR") && IsShown("txtMid"));
        QVERIFY(Find<QCheckBox>(*window_, "chkMid").isChecked());
    }

    void badSizesNeverStopTheWindow_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::newRow("huge width") << "99999999"
                                    << "256";
        QTest::newRow("negative") << "-5"
                                  << "-5";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("beyond 32 bits") << "99999999999"
                                        << "1";
    }
    void badSizesNeverStopTheWindow() {
        QFETCH(QString, width);
        QFETCH(QString, height);
        for (int orientation = 0; orientation < 3; ++orientation) {
            QTest::mouseClick(&Find<QRadioButton>(*window_, OrientationName(orientation)),
                              Qt::LeftButton);
            Type("txtX", width);
            Type("txtY", height);
            Find<tonzug::PreviewBox>(*window_, "picDisp").repaint();
        }
        QCOMPARE(Find<QLineEdit>(*window_, "txtX").text(), width);
    }

  private:
    bool IsShown(const char* name) const { return Find<QWidget>(*window_, name).isVisible(); }
    static const char* OrientationName(int index) {
        static const char* const names[] = {"optV0", "optV1", "optV2"};
        return names[index];
    }
    void Type(const char* field, const QString& text) {
        auto& edit = Find<QLineEdit>(*window_, field);
        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_Backspace);
        // Pasting brings in what the key filter would keep out.
        QApplication::clipboard()->setText(text);
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    }

    std::unique_ptr<tonzug::testing::SettingsSandbox> sandbox_;
    std::unique_ptr<tonzug::MainWindow> window_;
};

QTEST_MAIN(ParameterPanelTest)
#include "ParameterPanelTest.moc"
