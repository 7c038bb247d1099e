#include "colordlg/ui/PictureBox.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include "colordlg/HslField.h"
#include "desktop/ui/RasterImage.h"

namespace tonzug {
MouseButtons ButtonMask(Qt::MouseButtons buttons) {
    MouseButtons mask = 0;
    if (buttons & Qt::LeftButton) {
        mask |= kLeftButton;
    }
    if (buttons & Qt::RightButton) {
        mask |= kRightButton;
    }
    if (buttons & Qt::MiddleButton) {
        mask |= kMiddleButton;
    }
    return mask;
}

PictureBox::PictureBox(const Raster& raster, QWidget* parent) : QFrame(parent), raster_(raster) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setCursor(Qt::CrossCursor);
    const int frame = 2 * frameWidth();
    setFixedSize(raster.Width() + frame, raster.Height() + frame);
}

PictureBox::PictureBox(HslField& field, QWidget* parent) : PictureBox(field.Picture(), parent) {
    field_ = &field;
    redraws_ = field.Observe([this] { update(); });
}

void PictureBox::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        const QRect inside = contentsRect();
        painter.drawImage(inside.topLeft(), ImageOfRaster(raster_));
        if (field_ != nullptr) {
            // A small ring centred across the field, on the row of the current value.
            painter.setRenderHint(QPainter::Antialiasing);
            const QRectF marker(inside.left() + (raster_.ScaleWidth() - HslField::kMarkerWidth) / 2,
                                inside.top() + field_->MarkerTop(), HslField::kMarkerWidth,
                                HslField::kMarkerHeight);
            painter.setPen(QPen(Qt::white, 3.0));
            painter.drawEllipse(marker);
            painter.setPen(QPen(Qt::black, 1.2));
            painter.drawEllipse(marker);
        }
    }
    QFrame::paintEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    HandMouse(MouseAction::kPress, *event);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    HandMouse(MouseAction::kMove, *event);
}

void PictureBox::HandMouse(MouseAction action, const QMouseEvent& event) {
    if (!onMouse_) {
        return;
    }
    const QPointF point = event.position() - QPointF(contentsRect().topLeft());
    onMouse_(action, ButtonMask(event.buttons()), static_cast<float>(point.x()),
             static_cast<float>(point.y()));
}

}  // namespace tonzug
