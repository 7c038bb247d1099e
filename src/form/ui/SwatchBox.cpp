#include "form/ui/SwatchBox.h"

#include <QPainter>

#include "desktop/ui/QtColor.h"

namespace tonzug {

SwatchBox::SwatchBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    // The pointer says that a press here picks a colour from the screen.
    setCursor(Qt::CrossCursor);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void SwatchBox::SetColor(ColorValue color) {
    if (color == color_ || !ToQColor(color).isValid()) {
        return;
    }
    color_ = color;
    update();
}

QSize SwatchBox::sizeHint() const {
    const int height = fontMetrics().height() + 2 * frameWidth() + 6;
    return {height * 2, height};
}

void SwatchBox::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), ToQColor(color_));
    }
    QFrame::paintEvent(event);
}

}  // namespace tonzug
