#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <memory>

#include "color/ColorValue.h"
#include "desktop/ui/ScreenPixel.h"
#include "form/ui/SwatchBox.h"
#include "render/Raster.h"
#include "support/ui/DialogDriver.h"
#include "testing/TempFolder.h"
#include "workspace/ui/MainWindow.h"
#include "workspace/ui/PreviewBox.h"
#include "workspace/ui/WindowTestSupport.h"

using tonzug::ColorValue;
using tonzug::RgbColor;
using tonzug::testing::Find;

// Picking colours from the screen into the swatches, on a screen of 200 % scale, where
// logical and device pixels differ.
class ScreenPickTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        pick_ = std::make_unique<tonzug::testing::PickWindow>();
        window_ = &pick_->window;
    }
    void cleanup() { pick_.reset(); }

    void previewIsDrawnAtDevicePixels() {
        const auto& box = Find<tonzug::PreviewBox>(*window_, "picDisp");
        QCOMPARE(box.devicePixelRatioF(), 2.0);
        QCOMPARE(box.Picture().Width(), 2 * box.width());
        QCOMPARE(box.Picture().Height(), 2 * box.height());
    }

    // Where the screen cannot be read, the program's own window still gives the colour.
    void bothReadingsSeeTheShownWindow() {
        const auto& start = Find<tonzug::SwatchBox>(*window_, "colStart");
        const auto& box = Find<tonzug::PreviewBox>(*window_, "picDisp");
        const QPoint nearBottom(box.width() / 2, box.height() - 2);
        const ColorValue shown = PreviewPixel(box, nearBottom);
        for (const auto read : {&tonzug::ScreenPixel, &tonzug::OwnWindowPixel}) {
            QCOMPARE(read(start.mapToGlobal(start.rect().center())), kRed);
            QCOMPARE(read(box.mapToGlobal(nearBottom)), shown);
        }
    }

    // A drag from a swatch picks live (the preview follows) until Escape puts back the
    // colour from before it.
    void dragFromASwatchPicksLiveUntilEscape() {
        auto& end = Find<tonzug::SwatchBox>(*window_, "colEnd");
        auto& start = Find<tonzug::SwatchBox>(*window_, "colStart");
        auto& box = Find<tonzug::PreviewBox>(*window_, "picDisp");
        Mouse(QEvent::MouseButtonPress, end, end.rect().center());
        QCOMPARE(end.Color(), kBlue);  // a press alone picks nothing
        Mouse(QEvent::MouseMove, start, start.rect().center());
        QCOMPARE(window_->Form().colEnd.Color(), kRed);
        QCOMPARE(Bottom(box), kRed);
        QTest::keyClick(window_->windowHandle(), Qt::Key_Escape);
        QCOMPARE(window_->Form().colEnd.Color(), kBlue);
        QCOMPARE(Bottom(box), kBlue);  // the preview is redrawn too
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QCOMPARE(QWidget::keyboardGrabber(), nullptr);
        Mouse(QEvent::MouseMove, start, start.rect().center() + QPoint(1, 0));
        QCOMPARE(end.Color(), kBlue);
    }

    // A click without a move opens the chooser for the swatch, and picks nothing.
    void clickOnASwatchOpensTheChooser() {
        auto& end = Find<tonzug::SwatchBox>(*window_, "colEnd");
        QString title;
        tonzug::testing::WhenShown<QDialog>([&title](QDialog& chooser) {
            title = chooser.windowTitle();
            chooser.reject();
        });
        Mouse(QEvent::MouseButtonPress, end, end.rect().center());
        QTest::mouseRelease(window_->windowHandle(), Qt::LeftButton, {},
                            end.mapTo(window_, end.rect().center()));
        QTRY_VERIFY(!title.isEmpty());
        QCOMPARE(window_->Form().colEnd.Color(), kBlue);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
    }

  private:
    // Mouse input as the window system delivers it: to the window, which hands it to the
    // widget under the pointer or to the one that grabbed the mouse.
    void Mouse(QEvent::Type type, const QWidget& over, QPoint position) {
        const QPoint inWindow = over.mapTo(window_, position);
        if (type == QEvent::MouseButtonPress) {
            QTest::mousePress(window_->windowHandle(), Qt::LeftButton, {}, inWindow);
        } else {
            QTest::mouseMove(window_->windowHandle(), inWindow);
        }
    }

    static constexpr ColorValue kRed = tonzug::testing::PickWindow::kRed;
    static constexpr ColorValue kBlue = tonzug::testing::PickWindow::kBlue;

    static ColorValue PreviewPixel(const tonzug::PreviewBox& box, QPoint logical) {
        return tonzug::FromPixel(box.Picture().Row(2 * logical.y())[2 * logical.x()]);
    }
    static ColorValue Bottom(const tonzug::PreviewBox& box) {
        return tonzug::FromPixel(box.Picture().Row(box.Picture().Height() - 1)[0]);
    }

    std::unique_ptr<tonzug::testing::PickWindow> pick_;
    tonzug::MainWindow* window_ = nullptr;
};

// A screen of 200 % scale, large enough for the whole window. (Reading the screen on two
// monitors of a real X server: pick-on-x11.sh.)
int main(int argc, char** argv) {
    QTemporaryDir folder;
    const QString config = folder.filePath(QStringLiteral("screens.json"));
    tonzug::testing::WriteWholeFile(config.toStdString(), R"({"screens": [{"name": "hidpi",
        "x": 0, "y": 0, "width": 3200, "height": 2400, "logicalDpi": 96, "logicalBaseDpi": 96,
        "dpr": 2}]})");
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    QApplication app(argc, argv);
    ScreenPickTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ScreenPickTest.moc"
