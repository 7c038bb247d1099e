#include "render/Gradient.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <type_traits>
#include <utility>

#include "render/GradientSteps.h"
#include "render/PixelTargets.h"
#include "render/RasterCoverage.h"
#include "support/Numbers.h"
#include "support/Threads.h"

namespace tonzug {
namespace {

// Circular gradients keep the word and ring limits of every step when there are few
// steps for the pixels to compute (a quarter of the surface, by symmetry), up to 20 MiB.
constexpr std::int64_t kMaxStepWords = std::int64_t{1} << 20;
constexpr std::int64_t kPixelsPerStepWord = 8;
// Tables of fewer steps are filled by the calling thread alone.
constexpr std::int64_t kStepsPerPiece = 4096;

std::unique_ptr<ColorRamp> BuildRgbRamp(ColorValue start, ColorValue end, float steps,
                                        float middlePercent, ColorValue middle,
                                        std::int16_t middleOn, std::int32_t startBand,
                                        std::int32_t middleBand, std::int32_t endBand) {
    if (middlePercent != 50.0f || middleOn != 0) {
        return BuildRampBands(start, end, steps, middlePercent, middle, middleOn, startBand,
                              middleBand, endBand);
    }
    return BuildRampTwo(start, end, steps);
}

std::unique_ptr<ColorRamp> BuildHslRamp(ColorValue start, ColorValue end, float steps,
                                        HuePath path = HuePath::kDirect) {
    const std::optional<std::int32_t> count = RoundToInt32(static_cast<double>(steps));
    if (!count) {
        return nullptr;
    }
    return BuildRampHsl(start, end, *count, path);
}

// The perceptual modes use the middle and the bands exactly as RGB does.
std::unique_ptr<ColorRamp> BuildPerceptualRamp(const GradientParams& p, float steps,
                                               BlendSpace space) {
    const HuePath path = HuePathFromKey(p.huePath);
    if (p.middlePercent != 50.0f || p.middleOn != 0) {
        return BuildRampPerceptualBands(p.startColor, p.endColor, steps, p.middlePercent,
                                        p.middleColor, p.middleOn, p.startBand, p.middleBand,
                                        p.endBand, space, path);
    }
    return BuildRampPerceptualTwo(p.startColor, p.endColor, steps, space, path);
}

// The corner radius of a size given in floats; 0 when a side is no 32-bit integer.
std::int32_t CornerRadiusOfSize(float width, float height) {
    const std::optional<std::int32_t> a = RoundToInt32(static_cast<double>(width));
    const std::optional<std::int32_t> b = RoundToInt32(static_cast<double>(height));
    if (!a || !b) {
        return 0;
    }
    return CornerRadius(*a, *b);
}

float StepsOf(const GradientParams& params) {
    switch (params.orientation) {
        case kHorizontal:
            return params.width;
        case kVertical:
            return params.height;
        default:
            return static_cast<float>(CornerRadiusOfSize(params.width, params.height));
    }
}

GradientShape ShapeOf(std::int32_t orientation) {
    switch (orientation) {
        case kHorizontal:
            return GradientShape::kHorizontal;
        case kVertical:
            return GradientShape::kVertical;
        default:
            return GradientShape::kCircle;
    }
}

}  // namespace

std::unique_ptr<ColorRamp> BuildGradientRamp(const GradientParams& params) {
    if (params.orientation < kHorizontal || params.orientation > kCircle) {
        return nullptr;
    }
    const float steps = StepsOf(params);
    switch (params.colorMode) {
        case kModeRgb:
            return BuildRgbRamp(params.startColor, params.endColor, steps, params.middlePercent,
                                params.middleColor, params.middleOn, params.startBand,
                                params.middleBand, params.endBand);
        case kModeHsl:
            return BuildHslRamp(params.startColor, params.endColor, steps,
                                HuePathFromKey(params.huePath));
        case kModeOklab:
            return BuildPerceptualRamp(params, steps, BlendSpace::kOklab);
        case kModeOklch:
            return BuildPerceptualRamp(params, steps, BlendSpace::kOklch);
        default:
            return nullptr;
    }
}

namespace {

// Pen 2 for thin rings, else the ring width rounded; the surface's pen when that
// width is no 16-bit integer.
std::int16_t RingPen(float ring, std::int16_t surfacePen) {
    if (ring < 2.0f) {
        return 2;
    }
    const std::optional<std::int32_t> rounded = RoundToInt32(static_cast<double>(ring));
    const std::optional<std::int16_t> narrowed =
        rounded ? NarrowToInt16(*rounded) : std::optional<std::int16_t>{};
    return narrowed.value_or(surfacePen);
}

void DrawShape(Raster& surface, GradientShape shape, std::unique_ptr<ColorRamp> ramp, float steps) {
    const GradientRenderer renderer(shape, std::move(ramp), steps, surface.Width(),
                                    surface.Height(), surface.PenWidth());
    renderer.RenderRows(0, surface);
}

}  // namespace

std::int32_t CornerRadius(std::int32_t a, std::int32_t b) {
    const std::int64_t halfA = RoundToInt32(static_cast<double>(a) / 2.0).value_or(0);
    const std::int64_t halfB = RoundToInt32(static_cast<double>(b) / 2.0).value_or(0);
    const std::int64_t sum = halfA * halfA + halfB * halfB;
    return RoundToInt32(std::sqrt(static_cast<double>(sum))).value_or(0);
}

GradientRenderer::GradientRenderer(const GradientParams& params, int surfaceWidth,
                                   int surfaceHeight, std::int16_t penWidth)
    : GradientRenderer(ShapeOf(params.orientation), BuildGradientRamp(params), StepsOf(params),
                       surfaceWidth, surfaceHeight, penWidth) {}

GradientRenderer::GradientRenderer(GradientShape shape, std::unique_ptr<ColorRamp> ramp,
                                   float steps, int surfaceWidth, int surfaceHeight,
                                   std::int16_t penWidth)
    : shape_(shape),
      ramp_(std::move(ramp)),
      surfaceWidth_(std::max(surfaceWidth, 0)),
      surfaceHeight_(std::max(surfaceHeight, 0)),
      ringPen_(penWidth),
      ditherPreparation_(std::make_shared<ExactPreparation<DitherTarget>>()),
      deepPreparation_(std::make_shared<ExactPreparation<DeepTarget>>()) {
    const std::optional<std::int32_t> count = RoundToInt32(static_cast<double>(steps));
    if (!ramp_ || !count || *count <= 0) {
        return;  // nothing to draw
    }
    stepCount_ = *count;
    const auto scaleWidth = static_cast<float>(surfaceWidth_);
    const auto scaleHeight = static_cast<float>(surfaceHeight_);
    switch (shape_) {
        case GradientShape::kHorizontal:
            stepSize_ = scaleWidth / steps;
            return;
        case GradientShape::kVertical:
            stepSize_ = scaleHeight / steps;
            return;
        case GradientShape::kCircle:
            break;
    }
    const std::int32_t surfaceRadius = CornerRadiusOfSize(scaleWidth, scaleHeight);
    stepSize_ = static_cast<float>(static_cast<double>(surfaceRadius) / static_cast<double>(steps));
    ringPen_ = RingPen(stepSize_, penWidth);
    ringHalfWidth_ = RingHalfWidth(ringPen_);
    centreX_ = scaleWidth / 2.0f;
    centreY_ = scaleHeight / 2.0f;
    const std::int64_t pixels = std::int64_t{surfaceWidth_} * surfaceHeight_;
    if (stepCount_ <= kMaxStepWords && stepCount_ * kPixelsPerStepWord <= pixels) {
        stepWords_.resize(static_cast<std::size_t>(stepCount_));
        ringLimits_.resize(static_cast<std::size_t>(stepCount_));
        // The words in pieces on every core, each piece's entries worked out together.
        ForPiecesInParallel(stepCount_, kStepsPerPiece, [&](std::int64_t begin, std::int64_t end) {
            std::vector<std::int64_t> entries(static_cast<std::size_t>(end - begin));
            std::iota(entries.begin(), entries.end(), begin + 1);
            std::vector<ColorValue> colors(entries.size());
            ramp_->AtEach(entries, colors);
            for (std::int64_t step = begin; step < end; ++step) {
                const auto index = static_cast<std::size_t>(step);
                stepWords_[index] = ResolvePixel(colors[index - static_cast<std::size_t>(begin)]);
                ringLimits_[index] = {RingInnerLimit(RingRadius(step), ringHalfWidth_),
                                      RingOuterLimit(RingRadius(step), ringHalfWidth_)};
            }
        });
    }
}

void GradientRenderer::RenderRows(int firstRow, Raster& band, OutputFormat format) const {
    RenderRegion(0, firstRow, band, format);
}

void GradientRenderer::RenderRows(int firstRow, Raster16& band) const {
    RenderRegion(0, firstRow, band);
}

void GradientRenderer::RenderRegion(int firstColumn, int firstRow, Raster& region,
                                    OutputFormat format) const {
    if (format == OutputFormat::kDithered8 && ramp_) {
        DitherTarget target(*ramp_, region);
        RenderWith(firstColumn, firstRow, target);
        return;
    }
    PlainTarget target(region);
    RenderWith(firstColumn, firstRow, target);
}

void GradientRenderer::RenderRegion(int firstColumn, int firstRow, Raster16& region) const {
    if (ramp_) {
        DeepTarget target(*ramp_, region);
        RenderWith(firstColumn, firstRow, target);
    }
}

template <class Target>
ExactPreparation<Target>* GradientRenderer::Preparation() const {
    if constexpr (std::is_same_v<Target, DitherTarget>) {
        return ditherPreparation_.get();
    } else {
        return deepPreparation_.get();
    }
}

template ExactPreparation<DitherTarget>* GradientRenderer::Preparation() const;
template ExactPreparation<DeepTarget>* GradientRenderer::Preparation() const;

template <class Target>
void GradientRenderer::RenderWith(int firstColumn, int firstRow, Target& target) const {
    if (stepCount_ <= 0 || target.Height() <= 0 || target.Width() <= 0 || firstColumn < 0) {
        return;
    }
    StepPainter painter(*ramp_, stepWords_, Target::kYield);
    switch (shape_) {
        case GradientShape::kHorizontal:
            RenderHorizontal(firstColumn, firstRow, target, painter);
            break;
        case GradientShape::kVertical:
            RenderVertical(firstColumn, firstRow, target, painter);
            break;
        case GradientShape::kCircle:
            if constexpr (std::is_same_v<Target, PlainTarget>) {
                RenderCircle(firstColumn, firstRow, target.Words(), painter);
            } else {
                RenderExactRings(firstColumn, firstRow, target, painter);
            }
            break;
    }
}

std::int32_t GradientRenderer::RowPeriod(OutputFormat format) const {
    if (shape_ != GradientShape::kHorizontal) {
        return 0;
    }
    return format == OutputFormat::kDithered8 ? DitherTarget::kRowPeriod : 1;
}

void DrawGradient(Raster& surface, const GradientParams& params, OutputFormat format) {
    surface.SetAutoRedraw(true);
    const GradientRenderer renderer(params, surface.Width(), surface.Height(), surface.PenWidth());
    renderer.RenderRows(0, surface, format);
}

void DrawVerticalRgb(Raster& surface, ColorValue start, ColorValue end, float steps,
                     float middlePercent, ColorValue middle, std::int16_t middleOn,
                     std::int32_t startBand, std::int32_t middleBand, std::int32_t endBand) {
    DrawShape(surface, GradientShape::kVertical,
              BuildRgbRamp(start, end, steps, middlePercent, middle, middleOn, startBand,
                           middleBand, endBand),
              steps);
}

void DrawVerticalHsl(Raster& surface, ColorValue start, ColorValue end, float steps) {
    DrawShape(surface, GradientShape::kVertical, BuildHslRamp(start, end, steps), steps);
}

}  // namespace tonzug
