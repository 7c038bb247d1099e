#include "workspace/ui/StopsBar.h"

#include <QComboBox>
#include <QStandardItemModel>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "WindowTestSupport.h"
#include "workspace/ui/UndoBinding.h"

using tonzug::testing::Find;

// The stops bar driven as a person drives it: a click adds a stop, a drag moves one, Delete
// removes it, and undo takes the edits back one at a time.
class StopsBarWidgetTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        sandbox_ = std::make_unique<tonzug::testing::SettingsSandbox>();
        window_ = std::make_unique<tonzug::MainWindow>();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        tonzug::ParameterForm& form = window_->Form();
        window_->Undo().RunCommand([&form] {
            form.txtX.SetText("200");
            form.txtGradient.SetText("linear-gradient(to right, #ff0000, #0000ff)");
        });
        QTest::qWait(0);
    }
    void cleanup() {
        window_.reset();
        sandbox_.reset();
    }

    void clickDragDeleteAndUndoStepByStep() {
        auto& bar = Find<tonzug::StopsBarWidget>(*window_, "stopsBar");
        const tonzug::TextField& gradient = window_->Form().txtGradient;
        std::vector<std::string> steps{gradient.Text()};

        QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(bar.XOf(0.5), 4));
        QTest::qWait(0);
        QCOMPARE(Handles(bar).size(), std::size_t{3});
        QVERIFY(Handles(bar)[1]->hasFocus());
        QCOMPARE(Handles(bar)[1]->accessibleName().left(13), QStringLiteral("Stopp 2 von 3"));
        steps.push_back(gradient.Text());

        const QPoint grip = Handles(bar)[1]->geometry().center();
        QTest::mousePress(&bar, Qt::LeftButton, {}, grip);
        for (const double place : {0.45, 0.35, 0.25}) {
            QTest::mouseMove(&bar, QPoint(bar.XOf(place), grip.y()));
        }
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(bar.XOf(0.25), grip.y()));
        QTest::qWait(0);
        QVERIFY(std::abs(bar.Model().Markers()[1].place - 0.25) < 0.002);
        steps.push_back(gradient.Text());

        QTest::keyClick(Handles(bar)[1], Qt::Key_Delete);
        QTest::qWait(0);
        QCOMPARE(Handles(bar).size(), std::size_t{2});
        QCOMPARE(gradient.Text(), "linear-gradient(to right, #ff0000, #0000ff)");
        // Stops at 0 % and 100 % lie half a pixel beyond the classic ones: no way back.
        auto& kind = Find<QComboBox>(*window_, "cboKind");
        QCOMPARE(kind.currentText(), QStringLiteral("Frei"));
        QVERIFY(!qobject_cast<QStandardItemModel*>(kind.model())->item(0)->isEnabled());

        for (std::size_t k = steps.size(); k-- > 0;) {
            window_->Undo().Undo();
            QTest::qWait(0);
            QCOMPARE(gradient.Text(), steps[k]);
        }
        QCOMPARE(Handles(bar).size(), std::size_t{2});
    }

    // Without a mouse: Insert adds a stop half way to the next, Alt+arrow moves the midpoint.
    void keysAddStopsAndMoveMidpoints() {
        auto& bar = Find<tonzug::StopsBarWidget>(*window_, "stopsBar");
        Handles(bar)[0]->setFocus();
        QTest::keyClick(Handles(bar)[0], Qt::Key_Insert);
        QTest::qWait(0);
        QCOMPARE(Handles(bar).size(), std::size_t{3});
        QVERIFY(std::abs(bar.Model().Markers()[1].place - 0.5) < 0.01);
        QTest::keyClick(Handles(bar)[1], Qt::Key_Right, Qt::AltModifier);
        QTest::qWait(0);
        QCOMPARE(bar.Model().Hints().size(), std::size_t{2});
        const double midpoint = bar.Model().Hints()[1].place;
        QVERIFY2(std::abs(midpoint - 0.76) < 0.01, qPrintable(QString::number(midpoint)));
    }

  private:
    // The markers from left to right.
    static std::vector<QWidget*> Handles(const tonzug::StopsBarWidget& bar) {
        std::vector<QWidget*> handles;
        for (QWidget* child : bar.findChildren<QWidget*>(QStringLiteral("stopMarker"))) {
            if (child->isVisible()) {
                handles.push_back(child);
            }
        }
        std::sort(handles.begin(), handles.end(),
                  [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        return handles;
    }

    std::unique_ptr<tonzug::testing::SettingsSandbox> sandbox_;
    std::unique_ptr<tonzug::MainWindow> window_;
};

TONZUG_QT_TEST(StopsBarWidgetTest)
#include "StopsBarTest.moc"
