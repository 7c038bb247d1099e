#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "color/ColorValue.h"
#include "render/ColorRamp.h"
#include "render/GradientParams.h"
#include "render/OutputFormat.h"
#include "render/PictureRenderer.h"
#include "render/Raster.h"
#include "render/Raster16.h"

namespace tonzug {

// Distance from the centre of an a x b rectangle to its corner: half of each side
// rounded (ties to even), then the rounded root of the sum of squares. The sum is
// formed in 64 bits, so pictures of any 32-bit size get their true radius.
std::int32_t CornerRadius(std::int32_t a, std::int32_t b);

class GradientShape;
class ColorLine;

// The classic shapes: boxes one step wide along the surface (horizontal) or down it
// (vertical), and rings one step apart (circle).
enum class ShapeKind { kHorizontal, kVertical, kCircle };

// Joins a shape (render/GradientShape.h) to a colour line and paints the result into
// 8-bit, dithered or 16-bit bands. The classic shapes paint a gradient as if every step
// were drawn in order, one box per column or row or one ring per radius step on the
// surface, each painting over the one before (render/Raster.h says which pixels a box or
// ring covers). The cost follows the pixels of the surface, not the number of steps: a
// ten-million-step gradient in a small preview takes as long as one of a few hundred steps.
// Bands may be rendered on several threads at once.
class GradientRenderer final : public PictureRenderer {
  public:
    // surfaceWidth/Height: the surface being drawn (scale width/height in pixels).
    // penWidth: the surface's current pen width (only matters when the ring pen width
    // cannot be formed). A combination of colour mode and orientation that has no
    // shape draws nothing.
    GradientRenderer(const GradientParams& params, int surfaceWidth, int surfaceHeight,
                     std::int16_t penWidth = 1);
    // One shape with a ready ramp; `steps` is the step count at full size. A null ramp
    // draws nothing.
    GradientRenderer(ShapeKind kind, std::unique_ptr<ColorRamp> ramp, float steps, int surfaceWidth,
                     int surfaceHeight, std::int16_t penWidth = 1);
    GradientRenderer(GradientRenderer&&) noexcept;
    GradientRenderer& operator=(GradientRenderer&&) noexcept;
    ~GradientRenderer();

    // Pixels that no step covers keep their content. A region may be narrower than the
    // surface: a view can show a part of a picture too wide to hold. The dither mask lies
    // on the surface, so windows and bands fit together seamlessly.
    using PictureRenderer::RenderRows;
    void RenderRegion(int firstColumn, int firstRow, Raster& region,
                      OutputFormat format = OutputFormat::kPlain8) const override;
    void RenderRegion(int firstColumn, int firstRow, Raster16& region) const override;

    // The steps drawn (0 when nothing is drawn) and the size of one step on the
    // surface: box width, box height or the radius added per ring.
    std::int32_t StepCount() const { return stepCount_; }
    float StepSize() const { return stepSize_; }
    // The period with which the surface's rows repeat in `format`: 1 for a horizontal
    // gradient, whose boxes span every row, and the dither mask's side when dithered; 0
    // when rows do not repeat.
    std::int32_t RowPeriod(OutputFormat format) const override;
    // The pen width the rings are drawn with.
    std::int16_t RingPenWidth() const { return ringPen_; }

  private:
    template <class Target>
    void RenderWith(int firstColumn, int firstRow, Target& target) const;

    std::unique_ptr<const ColorLine> line_;
    std::unique_ptr<const GradientShape> shape_;
    // The word of every step, for shapes that look steps up far more often than there
    // are steps; empty otherwise.
    std::vector<std::uint32_t> stepWords_;
    std::int32_t stepCount_ = 0;
    float stepSize_ = 0.0f;
    std::int16_t ringPen_ = 1;
};

// The ramp the renderer draws a parameter set with; null when the colour mode and
// orientation have no shape.
std::unique_ptr<ColorRamp> BuildGradientRamp(const GradientParams& params);

// Draws a gradient on the surface, picking the shape by colour mode and orientation.
// Turns the surface's auto-redraw on; leaves its pen width as it was.
void DrawGradient(Raster& surface, const GradientParams& params,
                  OutputFormat format = OutputFormat::kPlain8);

// The vertical shapes, which the colour chooser paints its strips with; the step count
// is the height at full size. The RGB shape uses the banded ramp when the middle differs
// from 50 or the middle colour is on, else the plain two-colour ramp.
void DrawVerticalRgb(Raster& surface, const ClassicColors& colors, float steps);
void DrawVerticalHsl(Raster& surface, ColorValue start, ColorValue end, float steps);

}  // namespace tonzug
