#pragma once

#include <QObject>
#include <QPointF>
#include <QWidget>
#include <functional>

#include "render/FreeGradient.h"
#include "render/GradientParams.h"

namespace tonzug {

class ParameterForm;
class UndoBinding;

// Dragging on the preview: the angle of a linear gradient from the box's centre, the centre
// of a radial one, and of a conic one its centre (taken at the centre's handle) or its start
// angle (anywhere else); Shift snaps angles to 15 degrees. The handles show while the
// pointer is over the preview. A drag is one step of the history; a click or double-click
// without moving changes nothing.
class PreviewHandles final : public QWidget {
    Q_OBJECT

  public:
    // The window's undo, once it exists.
    using HistoryAccess = std::function<UndoBinding*()>;

    PreviewHandles(QWidget& preview, ParameterForm& form, HistoryAccess history);

    // After a redraw: `params` give the picture's size; shown handles are drawn anew.
    void Refresh(const GradientParams& params);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    enum class Drag { kNone, kPending, kAngle, kCentre };

    void Press(QPointF at);
    void Move(QPointF at, bool snap);
    void Release();
    // Where the gradient's centre and the angle's knob lie in the preview, in its pixels.
    QPointF CentreInBox() const;
    QPointF KnobInBox() const;
    double PictureX(double boxX) const;
    double PictureY(double boxY) const;

    QWidget& preview_;
    ParameterForm& form_;
    HistoryAccess history_;
    FreeGradient gradient_;
    double pictureWidth_ = 1.0;
    double pictureHeight_ = 1.0;
    Drag drag_ = Drag::kNone;
    Drag pressedOn_ = Drag::kNone;
    QPointF pressedAt_;
    bool hovered_ = false;
};

}  // namespace tonzug
