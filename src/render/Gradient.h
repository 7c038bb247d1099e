#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "color/ColorValue.h"
#include "render/ColorRamp.h"
#include "render/GradientParams.h"
#include "render/OutputFormat.h"
#include "render/Raster.h"
#include "render/Raster16.h"

namespace tonzug {

// Distance from the centre of an a x b rectangle to its corner: half of each side
// rounded (ties to even), then the rounded root of the sum of squares. The sum is
// formed in 64 bits, so pictures of any 32-bit size get their true radius.
std::int32_t CornerRadius(std::int32_t a, std::int32_t b);

class StepPainter;
struct WordRows;
template <class Target>
struct ExactPreparation;
class DitherTarget;
class DeepTarget;

enum class GradientShape { kHorizontal, kVertical, kCircle };

// Paints a gradient as if every step were drawn in order, one box per column or row
// or one ring per radius step on the surface, each painting over the one before
// (render/Raster.h says which pixels a box or ring covers). The cost follows the pixels
// of the surface, not the number of steps: a ten-million-step gradient in a small
// preview takes as long as one of a few hundred steps.
class GradientRenderer {
  public:
    // surfaceWidth/Height: the surface being drawn (scale width/height in pixels).
    // penWidth: the surface's current pen width (only matters when the ring pen width
    // cannot be formed). A combination of colour mode and orientation that has no
    // shape draws nothing.
    GradientRenderer(const GradientParams& params, int surfaceWidth, int surfaceHeight,
                     std::int16_t penWidth = 1);
    // One shape with a ready ramp; `steps` is the step count at full size. A null ramp
    // draws nothing.
    GradientRenderer(GradientShape shape, std::unique_ptr<ColorRamp> ramp, float steps,
                     int surfaceWidth, int surfaceHeight, std::int16_t penWidth = 1);
    GradientRenderer(GradientRenderer&&) noexcept = default;
    GradientRenderer& operator=(GradientRenderer&&) noexcept = default;
    ~GradientRenderer() = default;

    // Paints surface rows firstRow .. firstRow + band.Height() - 1 into `band`, a Raster
    // of surfaceWidth columns. Pixels that no step covers keep their content. An 8-bit
    // band takes kPlain8 or kDithered8; kDeep16 paints it plain, as 8 bits hold it.
    void RenderRows(int firstRow, Raster& band, OutputFormat format = OutputFormat::kPlain8) const;
    // The same rows in 16 bits per channel (kDeep16).
    void RenderRows(int firstRow, Raster16& band) const;
    // Paints the window of the surface whose top-left pixel is (firstColumn, firstRow)
    // into `region`, which may be narrower than the surface: a view can show a part of a
    // picture too wide to hold. Pixels that no step covers keep their content. The dither
    // mask lies on the surface, so windows and bands fit together seamlessly.
    void RenderRegion(int firstColumn, int firstRow, Raster& region,
                      OutputFormat format = OutputFormat::kPlain8) const;
    void RenderRegion(int firstColumn, int firstRow, Raster16& region) const;

    // The steps drawn (0 when nothing is drawn) and the size of one step on the
    // surface: box width, box height or the radius added per ring.
    std::int32_t StepCount() const { return stepCount_; }
    float StepSize() const { return stepSize_; }
    // The period with which the surface's rows repeat in `format`: 1 for a horizontal
    // gradient, whose boxes span every row, and the dither mask's side when dithered; 0
    // when rows do not repeat.
    std::int32_t RowPeriod(OutputFormat format) const;
    // The pen width the rings are drawn with.
    std::int16_t RingPenWidth() const { return ringPen_; }

  private:
    float StepStart(std::int64_t step) const { return stepSize_ * static_cast<float>(step); }
    float RingRadius(std::int64_t step) const { return stepSize_ * static_cast<float>(step); }

    // The word for one column (horizontal) or row (vertical) of the surface.
    // The words of the strips first .. first + words.size() - 1, the steps' colours
    // worked out together.
    void BoxStripWords(std::int64_t first, std::span<std::uint32_t> words,
                       StepPainter& painter) const;
    // Paints the window at (firstColumn, firstRow) into a band of one output format
    // (render/PixelTargets.h).
    template <class Target>
    void RenderWith(int firstColumn, int firstRow, Target& target) const;
    template <class Target>
    void RenderHorizontal(int firstColumn, int firstRow, Target& target,
                          StepPainter& painter) const;
    // Paints the columns; false when some column shows no step.
    template <class Target>
    bool PaintColumns(int firstColumn, int firstRow, Target& target, StepPainter& painter) const;
    // The rows that every full row of a horizontal gradient repeats in an unrounded output
    // (64 dithered rows, one 16-bit row), made on first use and shared by all bands; null
    // when some column shows no step.
    template <class Target>
    const typename Target::Band* RepeatingRows() const;
    // The levels of every step when the renderer keeps the steps' words (few steps for
    // the pixels), made on first use; null otherwise.
    template <class Target>
    const std::vector<typename Target::Levels>* StepLevels(const Target& target) const;
    template <class Target>
    ExactPreparation<Target>* Preparation() const;
    template <class Target>
    void RenderVertical(int firstColumn, int firstRow, Target& target, StepPainter& painter) const;
    void RenderCircle(int firstColumn, int firstRow, WordRows band, StepPainter& painter) const;
    // The rings of an unrounded output: their step codes, painted as RenderCircle paints
    // words, turned into the target's pixels.
    template <class Target>
    void RenderExactRings(int firstColumn, int firstRow, Target& target,
                          StepPainter& painter) const;
    // Paints surface row y into the band row `row` (and `mirrorRow`), which hold the surface
    // columns firstColumn .. firstColumn + columns - 1.
    void PaintRingRow(std::int64_t y, std::uint32_t* row, std::uint32_t* mirrorRow, int firstColumn,
                      int columns, StepPainter& painter) const;
    // The whole surface at once, each pixel shared with the one mirrored at the diagonal.
    void PaintRingOctants(WordRows surface, StepPainter& painter) const;
    bool MirrorsExactly() const;

    // What the rings make of one pixel: its word (kNoPixel when none paints it), and
    // whether it lies beyond the outermost ring.
    struct RingHit {
        std::uint32_t word = kNoPixel;
        bool beyond = false;
    };
    // The last ring covering a pixel: its step, or -1 when none reaches it, and whether
    // the pixel lies beyond the last ring (and so does the rest of its row).
    struct RingStep {
        std::int64_t step = -1;
        bool beyond = false;
    };
    RingStep RingStepAt(double distanceSquared, std::int64_t& step) const;
    // What RingStepAt gives for the last ring whose inner edge reaches the distance.
    RingStep RingStepOf(std::int64_t step, double distanceSquared) const;
    // Whether pixels' rings are found each on its own (thin rings), not walked to.
    bool FindsRingsAlone() const;
    // FindRing for every distance of a row at once (thin rings only).
    void FindRings(std::span<const double> distancesSquared, std::span<std::int64_t> steps) const;
    // `step` carries the search from the previous pixel of a row walked outward from
    // the centre; -1 starts afresh.
    RingHit RingWord(double distanceSquared, std::int64_t& step, StepPainter& painter) const;
    bool ReachesInward(std::int64_t step, double distanceSquared) const;
    bool ReachesOutward(std::int64_t step, double distanceSquared) const;
    std::int64_t FindRing(double distanceSquared) const;
    std::uint32_t LastPaintedRing(std::int64_t step, double distanceSquared,
                                  StepPainter& painter) const;

    GradientShape shape_;
    std::unique_ptr<ColorRamp> ramp_;
    std::int32_t stepCount_ = 0;
    int surfaceWidth_ = 0;
    int surfaceHeight_ = 0;
    float stepSize_ = 0.0f;
    float centreX_ = 0.0f;
    float centreY_ = 0.0f;
    std::int16_t ringPen_ = 1;
    double ringHalfWidth_ = 1.0;
    // The word and the ring limits (render/RasterCoverage.h) of every step, kept for
    // circles with few steps for their pixels.
    struct RingLimits {
        double inner = 0.0;
        double outer = 0.0;
    };
    std::vector<std::uint32_t> stepWords_;
    std::vector<RingLimits> ringLimits_;
    std::shared_ptr<ExactPreparation<DitherTarget>> ditherPreparation_;
    std::shared_ptr<ExactPreparation<DeepTarget>> deepPreparation_;
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
void DrawVerticalRgb(Raster& surface, ColorValue start, ColorValue end, float steps,
                     float middlePercent, ColorValue middle, std::int16_t middleOn,
                     std::int32_t startBand, std::int32_t middleBand, std::int32_t endBand);
void DrawVerticalHsl(Raster& surface, ColorValue start, ColorValue end, float steps);

}  // namespace tonzug
