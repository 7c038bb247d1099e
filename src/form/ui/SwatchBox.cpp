#include "form/ui/SwatchBox.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "desktop/ui/QtColor.h"

namespace tonzug {

SwatchBox::SwatchBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    // The pointer says that a press here picks a colour from the screen.
    setCursor(Qt::CrossCursor);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

bool SwatchBox::event(QEvent* event) {
    // The paste keys are the swatch's own while it has the focus, not the window's shortcut.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        event->accept();
        return true;
    }
    return QFrame::event(event);
}

void SwatchBox::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        emit pasteRequested();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            emit activated();
            return;
        default:
            QFrame::keyPressEvent(event);
    }
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
        if (hasFocus()) {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.rect = contentsRect().adjusted(2, 2, -2, -2);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        }
    }
    QFrame::paintEvent(event);
}

}  // namespace tonzug
