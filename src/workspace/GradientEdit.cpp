#include "workspace/GradientEdit.h"

#include <array>
#include <cmath>
#include <vector>

#include "color/ColorSpaces.h"
#include "color/Oklab.h"
#include "color/PerceptualBlend.h"
#include "render/FreeColorLine.h"
#include "render/FreeShapes.h"
#include "render/RampParts.h"
#include "support/Numbers.h"
#include "workspace/ExportParams.h"
#include "workspace/GradientFiles.h"

namespace tonzug {
namespace {

// Rings of a circle are drawn with a two-pixel pen one pixel apart, each painting over the
// one before: a pixel shows on average the step of the ring 1.5 pixels further out than
// its distance from the centre.
constexpr double kRingOffset = 1.5;
// Positions closer than this (in pixels) are the same place.
constexpr double kSamePlace = 1e-3;
// Pixel parts are kept to a millionth of a pixel, so that 30 % - 0.8 px does not read
// 30 % - 0.7999999999999972 px.
constexpr double kPixelGrain = 1e6;
// A midpoint this close to the middle of its segment is none.
constexpr double kSameShare = 1e-9;
constexpr double kChannelScale = 255.0;
constexpr float kCentrePercent = 50.0f;
constexpr std::int32_t kMaxPercent = 100;

CssColor CssOf(ColorValue color) {
    return {RedOf(color) / kChannelScale, GreenOf(color) / kChannelScale,
            BlueOf(color) / kChannelScale};
}

// The colour as whole channels, when it is one: opaque, nothing missing, inside sRGB.
std::optional<ColorValue> WholeColorOf(const CssColor& color) {
    if (!IsOpaque(color) || !color.missing.None()) {
        return std::nullopt;
    }
    std::array<int, 3> channels{};
    const std::array<double, 3> given{color.red, color.green, color.blue};
    for (std::size_t i = 0; i < given.size(); ++i) {
        const double scaled = given[i] * kChannelScale;
        const double rounded = std::nearbyint(scaled);
        if (std::abs(scaled - rounded) > 1e-6 || rounded < 0.0 || rounded > kChannelScale) {
            return std::nullopt;
        }
        channels[i] = static_cast<int>(rounded);
    }
    return RgbColor(channels[0], channels[1], channels[2]);
}

bool IsPolar(ColorMode mode) {
    return mode == ColorMode::kHsl || mode == ColorMode::kOklch;
}

// The hues the classic blend starts and ends with (NaN for a colour without one in OkLCh).
HuePair ClassicHues(const GradientParams& params) {
    if (params.colorMode == ColorMode::kHsl) {
        return {RgbToHsl(params.colors.start).hue, RgbToHsl(params.colors.end).hue};
    }
    const auto hueOf = [](ColorValue color) {
        return OklabToOklch(SrgbToOklab(ChannelsOf(color))).hue;
    };
    return {hueOf(params.colors.start), hueOf(params.colors.end)};
}

// CSS knows no direct hue path: the one of CSS's paths that goes the same way round.
HuePath CssHuePath(const GradientParams& params) {
    if (!IsPolar(params.colorMode) || params.huePath != HuePath::kDirect) {
        return params.huePath == HuePath::kDirect ? HuePath::kShorter : params.huePath;
    }
    const HuePair hues = ClassicHues(params);
    if (std::isnan(hues.from) || std::isnan(hues.to)) {
        return HuePath::kShorter;
    }
    for (const HuePath path :
         {HuePath::kShorter, HuePath::kLonger, HuePath::kIncreasing, HuePath::kDecreasing}) {
        const HuePair adjusted = AdjustHues(hues.from, hues.to, path);
        if (std::abs((adjusted.to - adjusted.from) - (hues.to - hues.from)) < kSameShare) {
            return path;
        }
    }
    return HuePath::kShorter;
}

std::optional<InterpolationSpace> SpaceOf(ColorMode mode) {
    switch (mode) {
        case ColorMode::kRgb:
            return InterpolationSpace::kSrgb;
        case ColorMode::kHsl:
            return InterpolationSpace::kHsl;
        case ColorMode::kOklab:
            return InterpolationSpace::kOklab;
        case ColorMode::kOklch:
            return InterpolationSpace::kOklch;
    }
    return std::nullopt;
}

std::optional<ColorMode> ModeOf(InterpolationSpace space) {
    switch (space) {
        case InterpolationSpace::kSrgb:
            return ColorMode::kRgb;
        case InterpolationSpace::kHsl:
            return ColorMode::kHsl;
        case InterpolationSpace::kOklab:
            return ColorMode::kOklab;
        case InterpolationSpace::kOklch:
            return ColorMode::kOklch;
        default:
            return std::nullopt;
    }
}

std::optional<Orientation> OrientationOf(const FreeGradient& gradient) {
    if (gradient.shape == FreeShape::kLinear) {
        const LinearDirection& direction = gradient.linear;
        const bool byAngle = direction.towardX == 0 && direction.towardY == 0;
        if ((byAngle && direction.degrees == 90.0) ||
            (direction.towardX == 1 && direction.towardY == 0)) {
            return Orientation::kHorizontal;
        }
        if ((byAngle && direction.degrees == 180.0) ||
            (direction.towardX == 0 && direction.towardY == 1)) {
            return Orientation::kVertical;
        }
        return std::nullopt;
    }
    if (gradient.shape == FreeShape::kRadial && gradient.radial.form == RadialForm::kCircle &&
        gradient.radial.center == BoxPosition{}) {
        return Orientation::kCircle;
    }
    return std::nullopt;
}

struct PictureSides {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

PictureSides SidesOf(const GradientParams& params) {
    return {RoundToInt32(params.width).value_or(0), RoundToInt32(params.height).value_or(0)};
}

std::int32_t StepsOf(const GradientParams& params) {
    const PictureSides sides = SidesOf(params);
    return GradientLength(params.orientation, sides.width, sides.height);
}

// Where a place of the classic layout (pixels along the gradient, the centre of the first
// pixel at 0.5) lies on the free gradient's line.
double OffsetOf(Orientation orientation) {
    return orientation == Orientation::kCircle ? kRingOffset : 0.0;
}

// The colours in order, one run for each stretch of one colour (a band is a run over two
// places), and how the colour goes between neighbouring runs.
struct ColorRun {
    CssColor color;
    double first = 0.0;  // pixels along the line
    double last = 0.0;
};
struct Segment {
    Easing easing = Easing::kLinear;
    double midpoint = 0.5;
};
struct RunLine {
    std::vector<ColorRun> runs;
    std::vector<Segment> between;
};

RunLine RunsOf(const FreeGradient& gradient, const PictureSides& sides) {
    const double length = FreePlacement(gradient, sides.width, sides.height).LineLength();
    const FreeColorLine line(gradient, length);
    const std::vector<double> joints = line.Joints();
    RunLine result;
    for (std::size_t i = 0; i < gradient.stops.size() && i < joints.size(); ++i) {
        const CssColor& color = gradient.stops[i].color;
        const double place = joints[i] * length;
        if (!result.runs.empty() && result.runs.back().color == color) {
            result.runs.back().last = place;
            continue;
        }
        if (!result.runs.empty()) {
            const FreeColorLine::Segment& segment = line.SegmentAt(i - 1);
            Segment between{segment.easing, segment.midpoint};
            // A hint in the middle of a segment bends nothing.
            if (std::abs(between.midpoint - 0.5) < kSameShare &&
                between.easing == Easing::kCurved) {
                between.easing = Easing::kLinear;
            }
            result.between.push_back(between);
        }
        result.runs.push_back({color, place, place});
    }
    return result;
}

bool SamePlace(double a, double b) {
    return std::abs(a - b) < kSamePlace;
}

// Whether two gradients of the shape that `orientation` gives draw the same picture: the
// same runs of the same colours at the same places (the outer ends of the first and last
// run show nothing), the same segments between them, the same blend.
bool SamePicture(const FreeGradient& a, const FreeGradient& b, const PictureSides& sides) {
    if (a.interpolation.space != b.interpolation.space) {
        return false;
    }
    const std::optional<ColorMode> mode = ModeOf(a.interpolation.space);
    if (!mode || (IsPolar(*mode) && a.interpolation.hue != b.interpolation.hue)) {
        return false;
    }
    const RunLine left = RunsOf(a, sides);
    const RunLine right = RunsOf(b, sides);
    if (left.runs.size() != right.runs.size()) {
        return false;
    }
    for (std::size_t i = 0; i < left.runs.size(); ++i) {
        const ColorRun& l = left.runs[i];
        const ColorRun& r = right.runs[i];
        const bool first = i == 0;
        const bool last = i + 1 == left.runs.size();
        if (WholeColorOf(l.color) != WholeColorOf(r.color) || !WholeColorOf(l.color) ||
            (!first && !SamePlace(l.first, r.first)) || (!last && !SamePlace(l.last, r.last))) {
            return false;
        }
    }
    for (std::size_t i = 0; i < left.between.size(); ++i) {
        if (left.between[i].easing != right.between[i].easing ||
            std::abs(left.between[i].midpoint - right.between[i].midpoint) > kSameShare) {
            return false;
        }
    }
    return true;
}

void ShapeFor(FreeGradient& gradient, Orientation orientation, std::int32_t steps) {
    switch (orientation) {
        case Orientation::kHorizontal:
            gradient.linear = {.towardX = 1, .towardY = 0};
            break;
        case Orientation::kVertical:
            gradient.linear = {.towardX = 0, .towardY = 1};
            break;
        case Orientation::kCircle:
            gradient.shape = FreeShape::kRadial;
            gradient.radial = {.form = RadialForm::kCircle,
                               .extent = RadialExtent::kExplicit,
                               .radiusX = {0.0, static_cast<double>(steps)},
                               .radiusY = {0.0, static_cast<double>(steps)},
                               .center = {}};
            break;
    }
}

// The integer percent that puts the middle at `index` of `steps`, as the classic layout
// rounds it: the one given when it does, else the nearest.
std::optional<float> PercentFor(std::int64_t index, std::int32_t steps, float given) {
    const auto indexOf = [steps](float percent) {
        return static_cast<std::int64_t>(
            std::nearbyint(static_cast<float>(steps) * percent / static_cast<float>(kMaxPercent)));
    };
    if (indexOf(given) == index) {
        return given;
    }
    std::optional<float> best;
    const double wanted = static_cast<double>(index) * kMaxPercent / steps;
    for (std::int32_t percent = 0; percent <= kMaxPercent; ++percent) {
        const auto candidate = static_cast<float>(percent);
        if (indexOf(candidate) == index &&
            (!best || std::abs(candidate - wanted) < std::abs(*best - wanted))) {
            best = candidate;
        }
    }
    return best;
}

void WriteClassicFields(ParameterForm& form, const GradientParams& wanted) {
    const GradientParams current = form.Gather();
    const auto writeColor = [](ColorSwatch& swatch, ColorValue was, ColorValue color) {
        if (was != color) {
            swatch.SetColor(color);
        }
    };
    const auto writeNumber = [](TextField& field, std::int64_t was, std::int64_t number) {
        if (was != number) {
            field.SetText(IntegerText(number));
        }
    };
    form.ChangeTogether([&] {
        form.optV.Select(wanted.orientation);
        form.optF.Select(wanted.colorMode);
        form.optH.Select(wanted.huePath);
        const ClassicColors& was = current.colors;
        const ClassicColors& colors = wanted.colors;
        writeColor(form.colStart, was.start, colors.start);
        writeColor(form.colEnd, was.end, colors.end);
        writeColor(form.colMid, was.middle, colors.middle);
        form.chkMid.SetValue(colors.middleOn ? 1 : 0);
        if (was.middlePercent != colors.middlePercent) {
            form.txtMid.SetText(IntegerText(static_cast<std::int64_t>(colors.middlePercent)));
        }
        writeNumber(form.txtSBR, was.bands.start, colors.bands.start);
        writeNumber(form.txtMBR, was.bands.middle, colors.bands.middle);
        writeNumber(form.txtEBR, was.bands.end, colors.bands.end);
        form.txtGradient.SetText({});
        form.txtEasing.SetText({});
    });
}

}  // namespace

bool HoldsFreeGradient(const ParameterForm& form) {
    return ReadFreeGradient(form).has_value();
}

FreeGradient ClassicAsFree(const GradientParams& params) {
    FreeGradient gradient;
    const std::int32_t steps = StepsOf(params);
    ShapeFor(gradient, params.orientation, steps);
    gradient.interpolation = {SpaceOf(params.colorMode).value_or(InterpolationSpace::kSrgb),
                              CssHuePath(params)};
    const ClassicColors& colors = params.colors;
    const double offset = OffsetOf(params.orientation);
    // Each place in pixels from the side it belongs to, so that the gradient stretches
    // with a new size as the classic one would: the start band from the start, the end
    // band from the end, the middle at its percent.
    const double middle = static_cast<double>(colors.middlePercent) / kMaxPercent;
    const auto placed = [offset, steps](double place, double fraction) {
        const double pixels = place - offset - fraction * steps;
        return LinePosition{fraction, std::round(pixels * kPixelGrain) / kPixelGrain};
    };
    const auto stopAt = [&placed](ColorValue color, double place, double fraction) {
        return ColorStop{CssOf(color), placed(place, fraction)};
    };
    constexpr double kFromStart = 0.0;
    constexpr double kFromEnd = 1.0;
    constexpr double kFirstCentre = 0.5;
    const double lastCentre = steps - kFirstCentre;
    const bool banded = params.colorMode != ColorMode::kHsl &&
                        (colors.middlePercent != kCentrePercent || colors.middleOn);
    if (steps < 2) {
        gradient.stops = {{CssOf(colors.start), std::nullopt}, {CssOf(colors.end), std::nullopt}};
    } else if (!banded) {
        gradient.stops = {stopAt(colors.start, kFirstCentre, kFromStart),
                          stopAt(colors.end, lastCentre, kFromEnd)};
    } else {
        // Each band is its colour from the centre of its first pixel to that of its last;
        // the middle colour is reached where the blend toward it would end.
        const ramp_parts::BandLayout layout =
            ramp_parts::ComputeBandLayout(static_cast<float>(steps), steps, colors);
        if (colors.bands.start > 1) {
            gradient.stops.push_back(stopAt(colors.start, kFirstCentre, kFromStart));
        }
        gradient.stops.push_back(stopAt(
            colors.start, static_cast<double>(layout.startBand.last) - kFirstCentre, kFromStart));
        std::optional<LinePosition> midpoint;
        if (colors.middleOn) {
            gradient.stops.push_back(
                stopAt(colors.middle, static_cast<double>(layout.middleBand.first) - 1.0, middle));
            gradient.stops.push_back(
                stopAt(colors.middle, static_cast<double>(layout.middleBand.last), middle));
        } else {
            midpoint = placed(static_cast<double>(layout.middleBand.first) - kFirstCentre, middle);
        }
        gradient.stops.push_back(
            stopAt(colors.end, static_cast<double>(layout.endBand.first) - kFirstCentre, kFromEnd));
        if (colors.bands.end > 1) {
            gradient.stops.push_back(stopAt(colors.end, lastCentre, kFromEnd));
        }
        gradient.segments.resize(gradient.stops.size() - 1);
        if (midpoint) {
            // Without its colour the middle is where the blend is half way.
            const std::size_t startRun = colors.bands.start > 1 ? 1 : 0;
            gradient.segments[startRun].midpoint = midpoint;
        }
    }
    gradient.segments.resize(gradient.stops.size() - 1);
    return gradient;
}

FreeGradient EditedGradient(const ParameterForm& form) {
    if (std::optional<FreeGradient> free = ReadFreeGradient(form)) {
        return *free;
    }
    return ClassicAsFree(ReadExportParams(form));
}

std::optional<GradientParams> ClassicFormOf(const FreeGradient& gradient,
                                            const GradientParams& current) {
    const std::optional<Orientation> orientation = OrientationOf(gradient);
    const std::optional<ColorMode> mode = ModeOf(gradient.interpolation.space);
    if (gradient.repeating || !orientation || !mode) {
        return std::nullopt;
    }
    GradientParams base = current;
    base.orientation = *orientation;
    base.colorMode = *mode;
    const PictureSides sides = SidesOf(base);
    const std::int32_t steps = StepsOf(base);
    const RunLine line = RunsOf(gradient, sides);
    if (steps < 2 || line.runs.size() < 2 || line.runs.size() > 3) {
        return std::nullopt;
    }
    std::vector<ColorValue> colors;
    for (const ColorRun& run : line.runs) {
        const std::optional<ColorValue> whole = WholeColorOf(run.color);
        if (!whole) {
            return std::nullopt;
        }
        colors.push_back(*whole);
    }
    ClassicColors& fields = base.colors;
    fields.start = colors.front();
    fields.end = colors.back();
    if (IsPolar(*mode)) {
        GradientParams direct = base;
        direct.huePath = HuePath::kDirect;
        const bool keepDirect =
            current.huePath == HuePath::kDirect && CssHuePath(direct) == gradient.interpolation.hue;
        base.huePath = keepDirect ? HuePath::kDirect : gradient.interpolation.hue;
    }
    const double offset = OffsetOf(*orientation);
    const auto whole = [offset](double place) {
        return static_cast<std::int32_t>(std::nearbyint(place + offset));
    };
    constexpr double kHalf = 0.5;
    // The fields as they are, when they draw it: several sets draw the same picture (a
    // middle colour equal to the start colour, bands of a plain gradient).
    std::vector<GradientParams> candidates{base};
    if (line.runs.size() == 3) {
        candidates.front().colors.middle = colors[1];
    } else if (base.colors.middleOn) {
        for (const ColorValue middle : {fields.start, fields.end}) {
            candidates.push_back(base);
            candidates.back().colors.middle = middle;
        }
    }
    // Plain start to end: the middle off at 50 %, the bands as they were.
    GradientParams plain = base;
    plain.colors.middleOn = false;
    if (*mode != ColorMode::kHsl) {
        plain.colors.middlePercent = kCentrePercent;
    }
    candidates.push_back(plain);
    GradientParams banded = base;
    banded.colors.bands.start = whole(line.runs.front().last + kHalf);
    banded.colors.bands.end = steps - whole(line.runs.back().first - kHalf);
    std::optional<std::int64_t> middleIndex;
    if (line.runs.size() == 3) {
        const ColorRun& middle = line.runs[1];
        banded.colors.middleOn = true;
        banded.colors.middle = colors[1];
        banded.colors.bands.middle = whole(middle.last) - whole(middle.first);
        middleIndex = whole(middle.first) + banded.colors.bands.middle / 2 + 1;
    } else {
        const ColorRun& start = line.runs.front();
        const ColorRun& end = line.runs.back();
        const double midpoint =
            start.last + line.between.front().midpoint * (end.first - start.last);
        banded.colors.middleOn = false;
        middleIndex = whole(midpoint - kHalf) + 1;
    }
    if (const std::optional<float> percent =
            PercentFor(*middleIndex, steps, current.colors.middlePercent)) {
        banded.colors.middlePercent = *percent;
        candidates.push_back(banded);
    }
    for (const GradientParams& candidate : candidates) {
        GradientParams drawn = candidate;
        ApplyMiddleSwitch(drawn);
        if (SamePicture(ClassicAsFree(drawn), gradient, sides)) {
            return candidate;
        }
    }
    return std::nullopt;
}

bool TurnClassic(ParameterForm& form) {
    const std::optional<FreeGradient> free = ReadFreeGradient(form);
    if (!free) {
        return true;
    }
    const std::optional<GradientParams> classic = ClassicFormOf(*free, form.Gather());
    if (!classic) {
        return false;
    }
    WriteClassicFields(form, *classic);
    return true;
}

void TurnFree(ParameterForm& form) {
    if (!HoldsFreeGradient(form)) {
        SetFreeGradient(form, EditedGradient(form));
    }
}

void ApplyEditedGradient(ParameterForm& form, const FreeGradient& gradient) {
    if (!HoldsFreeGradient(form)) {
        if (const std::optional<GradientParams> classic = ClassicFormOf(gradient, form.Gather())) {
            WriteClassicFields(form, *classic);
            return;
        }
    }
    SetFreeGradient(form, gradient);
}

}  // namespace tonzug
