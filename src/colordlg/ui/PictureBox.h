#pragma once

#include <QFrame>
#include <functional>

#include "colordlg/PickPictures.h"
#include "form/FormControls.h"
#include "render/Raster.h"

namespace tonzug {

class HslField;

// A framed picture that shows a raster of the form at its own size, one raster pixel
// per unit, and hands presses and moves on in the raster's coordinates. While a button
// is held, moves keep arriving when the pointer leaves the picture.
class PictureBox : public QFrame {
    Q_OBJECT

  public:
    using MouseHandler = std::function<void(MouseAction, MouseButtons, float x, float y)>;

    explicit PictureBox(const Raster& raster, QWidget* parent = nullptr);
    // A field: shows its marker and repaints whenever the field is redrawn or moved.
    explicit PictureBox(HslField& field, QWidget* parent = nullptr);

    void SetMouseHandler(MouseHandler handler) { onMouse_ = std::move(handler); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void HandMouse(MouseAction action, const QMouseEvent& event);

    const Raster& raster_;
    const HslField* field_ = nullptr;
    Subscription redraws_;
    MouseHandler onMouse_;
};

// The button mask of a mouse event: 1 left, 2 right, 4 middle.
MouseButtons ButtonMask(Qt::MouseButtons buttons);

}  // namespace tonzug
