#pragma once

#include <QFrame>
#include <QWidget>
#include <optional>
#include <string>
#include <string_view>

#include "render/FreeGradient.h"
#include "render/GradientParams.h"
#include "render/OutputFormat.h"
#include "render/Raster.h"

namespace tonzug {

// The small preview (picDisp): draws the gradient into a raster of the box's size in
// device pixels, so it stays sharp at any display scaling, and shows that raster.
class PreviewBox : public QWidget {
    Q_OBJECT

  public:
    explicit PreviewBox(QWidget* parent = nullptr);

    // Draws at once, at the box's current size.
    // A free gradient, when given, is drawn at the size of `params` instead of the classic one.
    void Draw(const GradientParams& params, OutputFormat format = OutputFormat::kPlain8,
              std::optional<FreeGradient> free = std::nullopt);
    const Raster& Picture() const { return raster_; }
    // The box's size in device pixels.
    QSize DeviceSize() const;

  signals:
    void doubleClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void Render();

    std::optional<GradientParams> params_;
    std::optional<FreeGradient> free_;
    OutputFormat format_ = OutputFormat::kPlain8;
    Raster raster_;
};

// The container (Cont) that the preview box is fitted into, after the gradient's aspect. It
// takes the room the window gives it, never less than a square of `minimumSide`, and fits
// the box again whenever its size changes.
class PreviewContainer : public QFrame {
    Q_OBJECT

  public:
    explicit PreviewContainer(int minimumSide, QWidget* parent = nullptr);

    PreviewBox& Box() { return *box_; }
    // Sizes and centres the box for a gradient of the given width and height texts.
    void FitBox(std::string_view widthText, std::string_view heightText);
    QSize sizeHint() const override { return minimumSize(); }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void FitBox();

    PreviewBox* box_;
    std::string widthText_;
    std::string heightText_;
};

}  // namespace tonzug
