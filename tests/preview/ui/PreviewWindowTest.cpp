#include <QDialog>
#include <QImage>
#include <QTest>
#include <QWidget>

#include "preview/ui/PreviewWindow.h"
#include "render/Gradient.h"
#include "render/Raster.h"
#include "support/ui/DialogDriver.h"
#include "workspace/ExportParams.h"
#include "workspace/ParameterForm.h"

using tonzug::testing::WhenShown;

namespace {

// What the open preview window shows, and where the picture sits in it.
struct Shown {
    QString title;
    bool maximised = false;
    QImage image;
    QRect picture;  // the pixels that differ from the window's background
};

Shown Look(QDialog& view) {
    Shown shown{view.windowTitle(), view.isMaximized(), view.grab().toImage(), {}};
    const QRgb background = view.palette().window().color().rgb();
    for (int y = 0; y < shown.image.height(); ++y) {
        for (int x = 0; x < shown.image.width(); ++x) {
            if (shown.image.pixel(x, y) != background) {
                shown.picture |= QRect(x, y, 1, 1);
            }
        }
    }
    return shown;
}

// Opens the preview for the form, looks at it (after `prepare`), and closes it.
Shown OpenAndLook(const tonzug::ParameterForm& form,
                  const std::function<void(QDialog&)>& prepare = {}) {
    Shown shown;
    WhenShown<QDialog>([&](QDialog& view) {
        if (prepare) {
            prepare(view);
        }
        shown = Look(view);
        view.close();
    });
    QWidget owner;
    tonzug::ShowPreviewWindow(owner, tonzug::ReadExportParams(form));
    return shown;
}

void RedToBlue(tonzug::ParameterForm& form) {
    form.colStart.SetColor(tonzug::RgbColor(255, 0, 0));
    form.colEnd.SetColor(tonzug::RgbColor(0, 0, 255));
}

}  // namespace

// "Tonzug Voransicht": the gradient at full size in the middle of a maximised window.
class PreviewWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheDefaultStripInTheMiddleOfTheMaximisedWindow() {
        tonzug::ParameterForm form;
        RedToBlue(form);
        const Shown shown = OpenAndLook(form);
        QCOMPARE(shown.title, QStringLiteral("Tonzug Voransicht"));
        QVERIFY(shown.maximised);
        QCOMPARE(shown.picture.size(), QSize(25, 256));
        QCOMPARE(shown.picture.left(), (shown.image.width() - 25) / 2);
        QCOMPARE(shown.picture.top(), (shown.image.height() - 256) / 2);
        QCOMPARE(shown.image.pixel(shown.picture.topLeft()), 0xFFFF0000);
    }

    void centresAgainAfterEveryResize() {
        tonzug::ParameterForm form;
        RedToBlue(form);
        const Shown shown = OpenAndLook(form, [](QDialog& view) {
            view.setWindowState(Qt::WindowNoState);
            view.resize(301, 400);
        });
        QCOMPARE(shown.image.size(), QSize(301, 400));
        QCOMPARE(shown.picture, QRect(138, 72, 25, 256));
    }

    // Wider than the window: the middle shows, cut off evenly, pixel for pixel.
    void widePictureIsCutOffEvenlyOnBothSides() {
        tonzug::ParameterForm form;
        RedToBlue(form);
        form.optV.Select(tonzug::kHorizontal);
        form.txtX.SetText("3000");
        form.txtY.SetText("200");
        const Shown shown = OpenAndLook(form);
        const int width = shown.image.width();
        QCOMPARE(shown.picture.width(), width);
        QCOMPARE(shown.picture.height(), 200);
        tonzug::Raster whole(3000, 200);
        tonzug::DrawGradient(whole, tonzug::ReadExportParams(form));
        const int cut = (3000 - width) / 2;
        const int row = shown.picture.top() + 100;
        for (int x = 0; x < width; ++x) {
            QCOMPARE(shown.image.pixel(x, row),
                     static_cast<QRgb>(tonzug::ToPixel(whole.PixelAt(cut + x, 100))));
        }
    }

    void everyOpeningDrawsTheFieldsAsTheyStandThen() {
        tonzug::ParameterForm form;
        RedToBlue(form);
        const Shown first = OpenAndLook(form);
        form.colStart.SetColor(tonzug::RgbColor(0, 255, 0));
        const Shown second = OpenAndLook(form);
        QCOMPARE(first.image.pixel(first.picture.topLeft()), 0xFFFF0000);
        QCOMPARE(second.image.pixel(second.picture.topLeft()), 0xFF00FF00);
    }

    // Fifty million steps in a window of a few hundred pixels: only the middle is drawn.
    void hugePictureShowsItsMiddle() {
        tonzug::ParameterForm form;
        RedToBlue(form);
        form.optV.Select(tonzug::kCircle);
        form.txtX.SetText("99999999");
        const Shown shown = OpenAndLook(form);
        QCOMPARE(shown.picture.width(), shown.image.width());
        QCOMPARE(shown.picture.height(), 256);
        QVERIFY(qRed(shown.image.pixel(shown.image.width() / 2, shown.picture.center().y())) > 250);
    }
};

QTEST_MAIN(PreviewWindowTest)
#include "PreviewWindowTest.moc"
