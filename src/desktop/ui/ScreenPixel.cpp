#include "desktop/ui/ScreenPixel.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace tonzug {
namespace {

ColorValue FirstPixel(const QPixmap& pixmap) {
    if (pixmap.isNull()) {
        return kNoColor;
    }
    const QImage image = pixmap.toImage();
    if (image.isNull() || image.width() < 1 || image.height() < 1) {
        return kNoColor;
    }
    const QRgb pixel = image.pixel(0, 0);
    return RgbColor(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

ColorValue ReadScreen(QPoint globalPos) {
    QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (screen == nullptr) {
        return kNoColor;
    }
    // For the whole screen (window 0) the toolkit takes the point relative to that screen
    // and adds the screen's origin itself; desktop coordinates would read the wrong place
    // on every monitor that does not sit at (0, 0).
    const QPoint onScreen = globalPos - screen->geometry().topLeft();
    return FirstPixel(screen->grabWindow(0, onScreen.x(), onScreen.y(), 1, 1));
}

}  // namespace

// Our own windows can always be rendered again, whatever the window system allows.
ColorValue OwnWindowPixel(QPoint globalPos) {
    QWidget* widget = QApplication::widgetAt(globalPos);
    if (widget == nullptr) {
        return kNoColor;
    }
    QWidget* window = widget->window();
    return FirstPixel(window->grab(QRect(window->mapFromGlobal(globalPos), QSize(1, 1))));
}

bool ScreenCanBeRead(QPoint globalPos) {
    return ReadScreen(globalPos) != kNoColor;
}

ColorValue ScreenPixel(QPoint globalPos) {
    const ColorValue onScreen = ReadScreen(globalPos);
    return onScreen != kNoColor ? onScreen : OwnWindowPixel(globalPos);
}

}  // namespace tonzug
