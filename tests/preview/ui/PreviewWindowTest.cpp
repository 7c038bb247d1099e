#include <QDialog>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <functional>

#include "preview/ui/PreviewWindow.h"
#include "render/Gradient.h"
#include "render/Raster.h"
#include "support/ui/DialogDriver.h"
#include "testing/QtTests.h"
#include "testing/SampleGradient.h"

using tonzug::testing::WhenShown;

namespace {

// What the open preview window shows, and where the picture sits in it.
struct Shown {
    QString title;
    bool maximised = false;
    QImage image;
    QRect picture;  // the pixels that differ from the window's background
};

// Opens the preview, looks at it (after `prepare`), and closes it.
Shown OpenAndLook(const tonzug::GradientParams& params,
                  const std::function<void(QDialog&)>& prepare = {}) {
    Shown shown;
    WhenShown<QDialog>([&](QDialog& view) {
        if (prepare) {
            prepare(view);
        }
        shown = {view.windowTitle(), view.isMaximized(), view.grab().toImage(), {}};
        const QRgb background = view.palette().window().color().rgb();
        for (int y = 0; y < shown.image.height(); ++y) {
            for (int x = 0; x < shown.image.width(); ++x) {
                if (shown.image.pixel(x, y) != background) {
                    shown.picture |= QRect(x, y, 1, 1);
                }
            }
        }
        view.close();
    });
    QWidget owner;
    tonzug::ShowPreviewWindow(owner, {params});
    return shown;
}

tonzug::GradientParams RedToBlue(tonzug::Orientation orientation, float width, float height) {
    return tonzug::testing::RedToBlue(orientation, tonzug::ColorMode::kRgb, width, height);
}

}  // namespace

// "Tonzug Voransicht": the gradient at full size in the middle of a maximised window.
class PreviewWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheStripInTheMiddleOfTheMaximisedWindowAfterEveryResize() {
        const tonzug::GradientParams strip = RedToBlue(tonzug::Orientation::kVertical, 25, 256);
        const Shown shown = OpenAndLook(strip);
        QCOMPARE(shown.title, QStringLiteral("Tonzug Voransicht"));
        QVERIFY(shown.maximised);
        QCOMPARE(shown.picture,
                 QRect((shown.image.width() - 25) / 2, (shown.image.height() - 256) / 2, 25, 256));
        const Shown resized = OpenAndLook(strip, [](QDialog& view) {
            view.setWindowState(Qt::WindowNoState);
            view.resize(301, 400);
        });
        QCOMPARE(resized.picture, QRect(138, 72, 25, 256));
    }

    // Wider than the window: the middle shows, cut off evenly, pixel for pixel.
    void widePictureIsCutOffEvenlyOnBothSides() {
        const tonzug::GradientParams wide = RedToBlue(tonzug::Orientation::kHorizontal, 3000, 200);
        const Shown shown = OpenAndLook(wide);
        const int width = shown.image.width();
        QCOMPARE(shown.picture.size(), QSize(width, 200));
        tonzug::Raster whole(3000, 200);
        tonzug::DrawGradient(whole, wide);
        const int cut = (3000 - width) / 2;
        for (int x = 0; x < width; ++x) {
            QCOMPARE(shown.image.pixel(x, shown.picture.top() + 100),
                     static_cast<QRgb>(tonzug::ToPixel(whole.PixelAt(cut + x, 100))));
        }
    }
};

TONZUG_QT_TEST(PreviewWindowTest)
#include "PreviewWindowTest.moc"
