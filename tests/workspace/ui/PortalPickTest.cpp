#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <memory>
#include <optional>

#include "color/ColorValue.h"
#include "desktop/ui/PortalColorRequest.h"
#include "desktop/ui/ScreenPicker.h"
#include "form/ui/SwatchBox.h"
#include "testing/FakePortal.h"
#include "workspace/ui/MainWindow.h"
#include "workspace/ui/WindowTestSupport.h"

using tonzug::ColorValue;
using tonzug::testing::Find;

namespace {

tonzug::testing::FakePortal* portal = nullptr;

constexpr ColorValue kRed = tonzug::testing::PickWindow::kRed;
constexpr ColorValue kBlue = tonzug::testing::PickWindow::kBlue;
const QString kPortalAnswer = QStringLiteral("color:0.2,0.4,0.8");

QMessageBox* UnavailableMessage() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("pickUnavailable") && widget->isVisible()) {
            return qobject_cast<QMessageBox*>(widget);
        }
    }
    return nullptr;
}

}  // namespace

// Picks from the screen through the desktop portal, as on Wayland: a fake portal on a
// private session bus answers with a cancel, or not at all, or is missing. (A click that
// picks a colour: pick-on-wayland.sh on a real compositor.)
class PortalPickTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        pick_ = std::make_unique<tonzug::testing::PickWindow>();
        window_ = &pick_->window;
    }
    void cleanup() {
        portal->Stop();
        pick_.reset();
    }

    void cancelChangesNothing_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("cancelled by the user") << QStringLiteral("cancel:1");
        QTest::newRow("ended otherwise") << QStringLiteral("cancel:2");
    }
    void cancelChangesNothing() {
        QFETCH(QString, answer);
        QVERIFY(portal->Start(2, answer));
        auto& end = Find<tonzug::SwatchBox>(*window_, "colEnd");
        QTest::mouseClick(&end, Qt::LeftButton);
        QTRY_COMPARE(portal->Calls().size(), 1);
        QVERIFY(portal->Calls()[0][QStringLiteral("options")][QStringLiteral("handle_token")]
                    .toString()
                    .startsWith(QStringLiteral("tonzug")));
        QTest::qWait(300);  // the answer follows the call
        QCOMPARE(window_->Form().colEnd.Color(), kBlue);
        QCOMPARE(UnavailableMessage(), nullptr);
        // The next click picks again.
        QTest::mouseClick(&end, Qt::LeftButton);
        QTRY_COMPARE(portal->Calls().size(), 2);
    }

    void withoutPickColorAMessageAndNothingElse_data() {
        QTest::addColumn<std::optional<int>>("version");
        QTest::newRow("no portal") << std::optional<int>();
        QTest::newRow("portal before PickColor") << std::optional<int>(1);
    }
    void withoutPickColorAMessageAndNothingElse() {
        QFETCH(std::optional<int>, version);
        if (version) {
            QVERIFY(portal->Start(*version, kPortalAnswer));
        }
        auto& start = Find<tonzug::SwatchBox>(*window_, "colStart");
        QTest::mouseClick(&start, Qt::LeftButton);
        QTRY_VERIFY(UnavailableMessage() != nullptr);
        QCOMPARE(UnavailableMessage()->text(),
                 QString::fromUtf8("Farbwahl vom Bildschirm ist hier nicht verfügbar."));
        UnavailableMessage()->close();
        QCOMPARE(window_->Form().colStart.Color(), kRed);
        QCOMPARE(portal->Calls().size(), 0);
    }

    void unansweredPickCountsAsCancelled() {
        QVERIFY(portal->Start(2, QStringLiteral("none")));
        tonzug::PortalColorRequest request;
        request.SetAnswerTimeout(std::chrono::milliseconds(400));
        std::optional<tonzug::PortalPickOutcome> outcome;
        request.Start(QString(), [&](tonzug::PortalPick pick) { outcome = pick.outcome; });
        QTRY_VERIFY(portal->Calls().size() == 1);
        QVERIFY(!outcome.has_value());
        QTRY_COMPARE(outcome, std::optional(tonzug::PortalPickOutcome::kCancelled));
        QVERIFY(!request.Running());
    }

  private:
    std::unique_ptr<tonzug::testing::PickWindow> pick_;
    tonzug::MainWindow* window_ = nullptr;
};

// Run by on-session-bus.sh.
int main(int argc, char** argv) {
    qputenv("WAYLAND_DISPLAY", "tonzug-test");  // a Wayland session as the program sees it
    tonzug::testing::FakePortal fake;
    portal = &fake;
    QApplication app(argc, argv);
    PortalPickTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PortalPickTest.moc"
