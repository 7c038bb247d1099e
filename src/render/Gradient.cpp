#include "render/Gradient.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <utility>

#include "render/GradientShape.h"
#include "render/GradientSteps.h"
#include "render/PixelTargets.h"
#include "render/RingShape.h"
#include "render/StripShape.h"
#include "support/Numbers.h"
#include "support/Threads.h"

namespace tonzug {
namespace {

// Tables of fewer steps are filled by the calling thread alone.
constexpr std::int64_t kStepsPerPiece = 4096;

// The banded ramp only when the middle or the bands can show, else the plain two-colour one.
bool NeedsBands(const ClassicColors& colors) {
    return colors.middlePercent != 50.0f || colors.middleOn;
}

std::unique_ptr<ColorRamp> BuildRgbRamp(const ClassicColors& colors, float steps) {
    if (NeedsBands(colors)) {
        return BuildRampBands(colors, steps);
    }
    return BuildRampTwo(colors.start, colors.end, steps);
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
std::unique_ptr<ColorRamp> BuildPerceptualRamp(const GradientParams& params, float steps,
                                               BlendSpace space) {
    const ClassicColors& colors = params.colors;
    if (NeedsBands(colors)) {
        return BuildRampPerceptualBands(colors, steps, space, params.huePath);
    }
    return BuildRampPerceptualTwo(colors.start, colors.end, steps, space, params.huePath);
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
        case Orientation::kHorizontal:
            return params.width;
        case Orientation::kVertical:
            return params.height;
        default:
            return static_cast<float>(CornerRadiusOfSize(params.width, params.height));
    }
}

ShapeKind ShapeOf(Orientation orientation) {
    switch (orientation) {
        case Orientation::kHorizontal:
            return ShapeKind::kHorizontal;
        case Orientation::kVertical:
            return ShapeKind::kVertical;
        default:
            return ShapeKind::kCircle;
    }
}

}  // namespace

std::unique_ptr<ColorRamp> BuildGradientRamp(const GradientParams& params) {
    if (params.orientation < Orientation::kHorizontal ||
        params.orientation > Orientation::kCircle) {
        return nullptr;
    }
    const float steps = StepsOf(params);
    switch (params.colorMode) {
        case ColorMode::kRgb:
            return BuildRgbRamp(params.colors, steps);
        case ColorMode::kHsl:
            return BuildHslRamp(params.colors.start, params.colors.end, steps, params.huePath);
        case ColorMode::kOklab:
            return BuildPerceptualRamp(params, steps, BlendSpace::kOklab);
        case ColorMode::kOklch:
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

// The word of every step, in pieces on every core, each piece's colours worked out together.
std::vector<std::uint32_t> StepWords(const ColorLine& line, std::int32_t count) {
    std::vector<std::uint32_t> words(static_cast<std::size_t>(count));
    ForPiecesInParallel(count, kStepsPerPiece, [&](std::int64_t begin, std::int64_t end) {
        std::vector<std::int64_t> positions(static_cast<std::size_t>(end - begin));
        std::iota(positions.begin(), positions.end(), begin + 1);
        std::vector<ColorValue> colors(positions.size());
        line.AtEach(positions, colors);
        for (std::size_t k = 0; k < colors.size(); ++k) {
            words[static_cast<std::size_t>(begin) + k] = ResolvePixel(colors[k]);
        }
    });
    return words;
}

void DrawShape(Raster& surface, ShapeKind kind, std::unique_ptr<ColorRamp> ramp, float steps) {
    const GradientRenderer renderer(kind, std::move(ramp), steps, surface.Width(), surface.Height(),
                                    surface.PenWidth());
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

GradientRenderer::GradientRenderer(ShapeKind kind, std::unique_ptr<ColorRamp> ramp, float steps,
                                   int surfaceWidth, int surfaceHeight, std::int16_t penWidth)
    : line_(std::move(ramp)), ringPen_(penWidth) {
    StepLayout layout{.surfaceWidth = std::max(surfaceWidth, 0),
                      .surfaceHeight = std::max(surfaceHeight, 0)};
    const std::optional<std::int32_t> count = RoundToInt32(static_cast<double>(steps));
    const bool draws = line_ && count && *count > 0;
    const auto scaleWidth = static_cast<float>(layout.surfaceWidth);
    const auto scaleHeight = static_cast<float>(layout.surfaceHeight);
    if (draws) {
        layout.count = *count;
    }
    switch (kind) {
        case ShapeKind::kHorizontal:
            layout.size = draws ? scaleWidth / steps : 0.0f;
            shape_ = std::make_unique<ColumnStrips>(layout);
            break;
        case ShapeKind::kVertical:
            layout.size = draws ? scaleHeight / steps : 0.0f;
            shape_ = std::make_unique<RowStrips>(layout);
            break;
        case ShapeKind::kCircle:
            if (draws) {
                const std::int32_t surfaceRadius = CornerRadiusOfSize(scaleWidth, scaleHeight);
                layout.size = static_cast<float>(static_cast<double>(surfaceRadius) /
                                                 static_cast<double>(steps));
                ringPen_ = RingPen(layout.size, penWidth);
            }
            shape_ = std::make_unique<RingShape>(layout, ringPen_);
            break;
    }
    stepCount_ = layout.count;
    stepSize_ = layout.size;
    if (draws && shape_->WantsStepWords()) {
        stepWords_ = StepWords(*line_, stepCount_);
    }
}

GradientRenderer::GradientRenderer(GradientRenderer&&) noexcept = default;
GradientRenderer& GradientRenderer::operator=(GradientRenderer&&) noexcept = default;
GradientRenderer::~GradientRenderer() = default;

void GradientRenderer::RenderRegion(int firstColumn, int firstRow, Raster& region,
                                    OutputFormat format) const {
    if (format == OutputFormat::kDithered8 && line_) {
        DitherTarget target(*line_, region);
        RenderWith(firstColumn, firstRow, target);
        return;
    }
    PlainTarget target(region);
    RenderWith(firstColumn, firstRow, target);
}

void GradientRenderer::RenderRegion(int firstColumn, int firstRow, Raster16& region) const {
    if (line_) {
        DeepTarget target(*line_, region);
        RenderWith(firstColumn, firstRow, target);
    }
}

template <class Target>
void GradientRenderer::RenderWith(int firstColumn, int firstRow, Target& target) const {
    if (stepCount_ <= 0 || target.Height() <= 0 || target.Width() <= 0 || firstColumn < 0) {
        return;
    }
    StepPainter painter(*line_, stepWords_, Target::kYield);
    shape_->Paint(firstColumn, firstRow, target, painter);
}

std::int32_t GradientRenderer::RowPeriod(OutputFormat format) const {
    return shape_ ? shape_->RowPeriod(format) : 0;
}

void DrawGradient(Raster& surface, const GradientParams& params, OutputFormat format) {
    surface.SetAutoRedraw(true);
    const GradientRenderer renderer(params, surface.Width(), surface.Height(), surface.PenWidth());
    renderer.RenderRows(0, surface, format);
}

void DrawVerticalRgb(Raster& surface, const ClassicColors& colors, float steps) {
    DrawShape(surface, ShapeKind::kVertical, BuildRgbRamp(colors, steps), steps);
}

void DrawVerticalHsl(Raster& surface, ColorValue start, ColorValue end, float steps) {
    DrawShape(surface, ShapeKind::kVertical, BuildHslRamp(start, end, steps), steps);
}

}  // namespace tonzug
