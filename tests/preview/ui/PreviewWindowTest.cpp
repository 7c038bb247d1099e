#include <QAbstractButton>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QWidget>
#include <functional>

#include "preview/ui/PreviewCanvas.h"
#include "preview/ui/PreviewWindow.h"
#include "render/Gradient.h"
#include "render/Raster.h"
#include "support/ui/DialogDriver.h"
#include "testing/QtTests.h"
#include "testing/SampleGradient.h"

using tonzug::testing::WhenShown;

namespace {

// What the open preview window shows, and where the picture sits in its view.
struct Shown {
    QString title;
    bool maximised = false;
    QString zoom;
    QImage image;
    QRect picture;  // the pixels that differ from the view's background
};

Shown Look(QDialog& view) {
    auto& canvas = *view.findChild<tonzug::PreviewCanvas*>(QStringLiteral("picPrev"));
    // On a loaded machine the window may still be taking its size: look once it holds.
    QSize settled;
    for (int round = 0; round < 50 && settled != canvas.viewport()->size(); ++round) {
        settled = canvas.viewport()->size();
        QTest::qWait(10);
    }
    Shown shown{view.windowTitle(),
                view.isMaximized(),
                view.findChild<QLabel*>(QStringLiteral("lblZoom"))->text(),
                canvas.viewport()->grab().toImage(),
                {}};
    const QRgb background = canvas.palette().window().color().rgb();
    for (int y = 0; y < shown.image.height(); ++y) {
        for (int x = 0; x < shown.image.width(); ++x) {
            if (shown.image.pixel(x, y) != background) {
                shown.picture |= QRect(x, y, 1, 1);
            }
        }
    }
    return shown;
}

// Opens the preview, looks at it after each step, and closes it with Escape.
QList<Shown> OpenAndLook(const tonzug::GradientParams& params,
                         const QList<std::function<void(QDialog&)>>& steps = {{}}) {
    QList<Shown> looks;
    WhenShown<QDialog>([&](QDialog& view) {
        for (const auto& step : steps) {
            if (step) {
                step(view);
            }
            looks.append(Look(view));
        }
        QTest::keyClick(view.findChild<QWidget*>(QStringLiteral("picPrev")), Qt::Key_Escape);
    });
    QWidget owner;
    tonzug::ShowPreviewWindow(owner, {params});
    return looks;
}

tonzug::GradientParams RedToBlue(tonzug::Orientation orientation, float width, float height) {
    return tonzug::testing::RedToBlue(orientation, tonzug::ColorMode::kRgb, width, height);
}

void Click(QDialog& view, const char* button) {
    view.findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
}

}  // namespace

// "Tonzug Voransicht": the gradient in the middle of a maximised window, fitted to it at
// first, at full size or zoomed on demand.
class PreviewWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheStripInTheMiddleOfTheMaximisedWindowAfterEveryResize() {
        const tonzug::GradientParams strip = RedToBlue(tonzug::Orientation::kVertical, 25, 256);
        const QList<Shown> shown = OpenAndLook(strip, {{}, [](QDialog& view) {
                                                           view.setWindowState(Qt::WindowNoState);
                                                           view.resize(301, 400);
                                                       }});
        QCOMPARE(shown[0].title, QStringLiteral("Tonzug Voransicht"));
        QVERIFY(shown[0].maximised);
        QCOMPARE(shown[0].zoom, QStringLiteral("100 %"));
        for (const Shown& look : shown) {
            QCOMPARE(look.picture, QRect((look.image.width() - 25) / 2,
                                         (look.image.height() - 256) / 2, 25, 256));
        }
    }

    // Wider than the window: fitted at first; at 1:1 the middle shows, cut off evenly,
    // pixel for pixel, and a drag moves it; zoomed in, each pixel shows larger.
    void widePictureIsFittedAndShownOneToOneOnDemand() {
        const tonzug::GradientParams wide = RedToBlue(tonzug::Orientation::kHorizontal, 3000, 200);
        constexpr int kDragged = 50;
        const QList<Shown> shown = OpenAndLook(
            wide, {{},
                   [](QDialog& view) { Click(view, "cmdOriginal"); },
                   [](QDialog& view) {
                       auto* canvas = view.findChild<tonzug::PreviewCanvas*>("picPrev");
                       QTest::mousePress(canvas->viewport(), Qt::LeftButton, {}, QPoint(200, 50));
                       QTest::mouseMove(canvas->viewport(), QPoint(200 - kDragged, 50));
                       QTest::mouseRelease(canvas->viewport(), Qt::LeftButton, {},
                                           QPoint(200 - kDragged, 50));
                   },
                   [](QDialog& view) {
                       Click(view, "cmdZoomIn");
                       Click(view, "cmdZoomIn");
                   },
                   [](QDialog& view) {
                       QTest::keyClick(view.findChild<QWidget*>("picPrev"), Qt::Key_0,
                                       Qt::ControlModifier);
                   }});
        const Shown& fitted = shown[0];
        const int width = fitted.image.width();
        const int fittedHeight = static_cast<int>(std::lround(200.0 * width / 3000));
        QCOMPARE(fitted.picture.size(), QSize(width, fittedHeight));
        QCOMPARE(shown[4].picture, fitted.picture);
        QCOMPARE(shown[4].zoom, fitted.zoom);

        tonzug::Raster whole(3000, 200);
        tonzug::DrawGradient(whole, wide);
        const auto shows = [&](const Shown& look, int firstColumn, int zoom) {
            for (int x = 0; x < look.image.width(); ++x) {
                const QRgb expected = tonzug::ToPixel(whole.PixelAt(firstColumn + x / zoom, 100));
                if (look.image.pixel(x, look.picture.top() + 100) != expected) {
                    qWarning() << "column" << x;
                    return false;
                }
            }
            return true;
        };
        const int cut = (3000 - width) / 2;
        QCOMPARE(shown[1].zoom, QStringLiteral("100 %"));
        QCOMPARE(shown[1].picture.size(), QSize(width, 200));
        QVERIFY(shows(shown[1], cut, 1));
        QVERIFY(shows(shown[2], cut + kDragged, 1));
        // Zoomed in about the middle of the view, which keeps showing the same column.
        QCOMPARE(shown[3].zoom, QStringLiteral("200 %"));
        QCOMPARE(shown[3].picture.height(), 400);
        const QPoint middle(width / 2, shown[3].picture.center().y());
        QCOMPARE(shown[3].image.pixel(middle),
                 shown[2].image.pixel(width / 2, shown[2].picture.top() + 100));
    }
};

TONZUG_QT_TEST(PreviewWindowTest)
#include "PreviewWindowTest.moc"
