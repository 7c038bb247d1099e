#include "workspace/ui/PreviewHandles.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <numbers>

#include "export/ExportPicture.h"
#include "workspace/GradientEdit.h"
#include "workspace/ShapeEdit.h"
#include "workspace/ui/UndoBinding.h"

namespace tonzug {
namespace {

constexpr double kHandleRadius = 5.0;
// A press this near the centre's handle of a conic gradient moves the centre.
constexpr double kCentreGrip = 3.0 * kHandleRadius;
// The knob of the angle sits at this share of the shorter side from the centre.
constexpr double kKnobReach = 0.4;
constexpr double kSnapDegrees = 15.0;

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

}  // namespace

PreviewHandles::PreviewHandles(QWidget& preview, ParameterForm& form, HistoryAccess history)
    : QWidget(&preview), preview_(preview), form_(form), history_(std::move(history)) {
    setObjectName(QStringLiteral("picHandles"));
    setAccessibleName(tr("Winkel und Mitte"));
    // Only paints: the preview below takes the mouse, and this filter watches it there.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(preview.rect());
    preview.installEventFilter(this);
    show();
}

void PreviewHandles::Refresh(const GradientParams& params) {
    PictureSize size;
    if (FullPictureSize(params, size).Ok()) {
        pictureWidth_ = size.width;
        pictureHeight_ = size.height;
    }
    // The gradient is read when the handles are shown, not on every redraw.
    if (hovered_ || drag_ == Drag::kAngle || drag_ == Drag::kCentre) {
        update();
    }
}

bool PreviewHandles::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &preview_) {
        return false;
    }
    switch (event->type()) {
        case QEvent::Resize:
            setGeometry(preview_.rect());
            break;
        case QEvent::Enter:
        case QEvent::Leave:
            hovered_ = event->type() == QEvent::Enter;
            update();
            break;
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                Press(mouse->position());
            }
            break;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if ((mouse->buttons() & Qt::LeftButton) != 0 && drag_ != Drag::kNone) {
                Move(mouse->position(), (mouse->modifiers() & Qt::ShiftModifier) != 0);
                return true;
            }
            break;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                Release();
            }
            break;
        default:
            break;
    }
    return false;
}

void PreviewHandles::Press(QPointF at) {
    gradient_ = EditedGradient(form_);
    const QPointF fromCentre = at - CentreInBox();
    const bool onCentre = std::hypot(fromCentre.x(), fromCentre.y()) <= kCentreGrip;
    switch (gradient_.shape) {
        case FreeShape::kLinear:
            pressedOn_ = Drag::kAngle;
            break;
        case FreeShape::kRadial:
            pressedOn_ = Drag::kCentre;
            break;
        case FreeShape::kConic:
            pressedOn_ = onCentre ? Drag::kCentre : Drag::kAngle;
            break;
    }
    drag_ = Drag::kPending;
    pressedAt_ = at;
}

void PreviewHandles::Move(QPointF at, bool snap) {
    if (drag_ == Drag::kPending) {
        if ((at - pressedAt_).manhattanLength() < QApplication::startDragDistance()) {
            return;
        }
        drag_ = pressedOn_;
        if (UndoBinding* undo = history_()) {
            undo->History().BeginGesture();
        }
    }
    form_.FinishEdits();
    FreeGradient gradient = EditedGradient(form_);
    if (drag_ == Drag::kAngle) {
        const CentrePercent centre = ShapeCentre(gradient, pictureWidth_, pictureHeight_);
        const bool conic = gradient.shape == FreeShape::kConic;
        double degrees = DragAngle(conic ? centre.x / 100.0 * pictureWidth_ : pictureWidth_ / 2.0,
                                   conic ? centre.y / 100.0 * pictureHeight_ : pictureHeight_ / 2.0,
                                   PictureX(at.x()), PictureY(at.y()));
        if (snap) {
            degrees = std::round(degrees / kSnapDegrees) * kSnapDegrees;
        }
        SetShapeAngle(gradient, degrees);
    } else {
        SetShapeCentre(gradient, {PictureX(at.x()) / pictureWidth_ * 100.0,
                                  PictureY(at.y()) / pictureHeight_ * 100.0});
    }
    ApplyEditedGradient(form_, gradient);
}

void PreviewHandles::Release() {
    const bool dragged = drag_ == Drag::kAngle || drag_ == Drag::kCentre;
    drag_ = Drag::kNone;
    if (dragged) {
        if (UndoBinding* undo = history_()) {
            undo->History().EndGesture();
            undo->Record();
        }
    }
}

double PreviewHandles::PictureX(double boxX) const {
    return preview_.width() > 0 ? boxX / preview_.width() * pictureWidth_ : 0.0;
}

double PreviewHandles::PictureY(double boxY) const {
    return preview_.height() > 0 ? boxY / preview_.height() * pictureHeight_ : 0.0;
}

QPointF PreviewHandles::CentreInBox() const {
    if (!HasCentre(gradient_)) {
        return {preview_.width() / 2.0, preview_.height() / 2.0};
    }
    const CentrePercent centre = ShapeCentre(gradient_, pictureWidth_, pictureHeight_);
    return {centre.x / 100.0 * preview_.width(), centre.y / 100.0 * preview_.height()};
}

QPointF PreviewHandles::KnobInBox() const {
    // The angle as the picture has it, drawn on the preview's own proportions.
    const double degrees = ShapeAngle(gradient_, pictureWidth_, pictureHeight_);
    const double reach = kKnobReach * std::min(preview_.width(), preview_.height());
    const double scaleX = pictureWidth_ > 0.0 ? preview_.width() / pictureWidth_ : 1.0;
    const double scaleY = pictureHeight_ > 0.0 ? preview_.height() / pictureHeight_ : 1.0;
    const double dx = std::sin(Radians(degrees)) * scaleX;
    const double dy = -std::cos(Radians(degrees)) * scaleY;
    const double length = std::hypot(dx, dy);
    const QPointF centre = CentreInBox();
    return length > 0.0 ? centre + QPointF(dx / length * reach, dy / length * reach) : centre;
}

void PreviewHandles::paintEvent(QPaintEvent* /*event*/) {
    if (!hovered_ && drag_ != Drag::kAngle && drag_ != Drag::kCentre) {
        return;
    }
    gradient_ = EditedGradient(form_);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Dark inside a light edge: seen on any colour.
    const QPen light(Qt::white, 3.0);
    const QPen dark(QColor(0x20, 0x20, 0x20), 1.0);
    const QPointF centre = CentreInBox();
    for (const QPen& pen : {light, dark}) {
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        if (HasAngle(gradient_)) {
            painter.drawLine(centre, KnobInBox());
            painter.drawEllipse(KnobInBox(), kHandleRadius, kHandleRadius);
        }
        if (HasCentre(gradient_)) {
            painter.drawEllipse(centre, kHandleRadius, kHandleRadius);
        }
    }
}

}  // namespace tonzug
