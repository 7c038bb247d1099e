#include "color/CssInterpolation.h"

#include <cmath>
#include <cstddef>
#include <limits>

#include "color/CssSpaces.h"

namespace tonzug {
namespace {

constexpr std::size_t kAlphaIndex = 3;
constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

// The colour in the space, alpha last; NaN for each missing component, and for the hue of
// a grey.
std::array<double, 4> InSpace(const CssColor& color, InterpolationSpace space) {
    const SpaceComponents components = ComponentsInSpace(color, space);
    const std::array<ColorComponent, 3> kinds = ComponentKinds(space);
    std::array<double, 4> result{components[0], components[1], components[2], color.alpha};
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (color.missing.Has(kinds[i])) {
            result[i] = kMissing;
        }
    }
    if (color.missing.Has(ColorComponent::kAlpha)) {
        result[kAlphaIndex] = kMissing;
    }
    return result;
}

double Mix(double from, double to, double t) {
    return from + (to - from) * t;
}

}  // namespace

CssBlend::CssBlend(const CssColor& from, const CssColor& to, const InterpolationMethod& method)
    : space_(method.space), from_(InSpace(from, space_)), to_(InSpace(to, space_)) {
    for (std::size_t i = 0; i < from_.size(); ++i) {
        if (std::isnan(from_[i])) {
            from_[i] = to_[i];
        } else if (std::isnan(to_[i])) {
            to_[i] = from_[i];
        }
    }
    const std::optional<std::size_t> hue = HueIndex(space_);
    if (hue) {
        const HuePair hues = AdjustHues(from_[*hue], to_[*hue], method.hue);
        from_[*hue] = hues.from;
        to_[*hue] = hues.to;
    }
    // Without an alpha on either side nothing is premultiplied.
    if (std::isnan(from_[kAlphaIndex])) {
        return;
    }
    for (std::size_t i = 0; i < kAlphaIndex; ++i) {
        if (i != hue) {
            from_[i] *= from_[kAlphaIndex];
            to_[i] *= to_[kAlphaIndex];
        }
    }
}

CssColor CssBlend::At(double t) const {
    SpaceComponents components{};
    for (std::size_t i = 0; i < components.size(); ++i) {
        components[i] = Mix(from_[i], to_[i], t);
    }
    const double alpha = Mix(from_[kAlphaIndex], to_[kAlphaIndex], t);
    const std::optional<std::size_t> hue = HueIndex(space_);
    if (!std::isnan(alpha) && alpha != 0.0) {
        for (std::size_t i = 0; i < components.size(); ++i) {
            if (i != hue) {
                components[i] /= alpha;
            }
        }
    }
    if (hue) {
        components[*hue] = NormalizeHue(components[*hue]);
    }
    // A missing alpha counts as 0, as in a colour read.
    return ColorFromSpace(components, space_, std::isnan(alpha) ? 0.0 : alpha);
}

}  // namespace tonzug
