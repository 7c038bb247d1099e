#include "color/PerceptualBlend.h"

#include <algorithm>
#include <vector>

#include "color/GamutMap.h"

namespace tonzug {
namespace {

double Mix(double from, double to, double t) {
    return from + (to - from) * t;
}

}  // namespace

PerceptualBlend::PerceptualBlend(const RgbTriple& from, const RgbTriple& to, BlendSpace space,
                                 HuePath path)
    : from_(from),
      to_(to),
      space_(space),
      fromLab_(SrgbToOklab(from)),
      toLab_(SrgbToOklab(to)),
      fromLch_(OklabToOklch(fromLab_)),
      toLch_(OklabToOklch(toLab_)) {
    const HuePair hues = AdjustHues(fromLch_.hue, toLch_.hue, path);
    fromLch_.hue = hues.from;
    toLch_.hue = hues.to;
}

std::optional<OklabColor> PerceptualBlend::Blended(double t) const {
    if (t == 0.0 || t == 1.0) {
        return std::nullopt;
    }
    if (space_ == BlendSpace::kOklab) {
        return OklabColor{Mix(fromLab_.lightness, toLab_.lightness, t),
                          Mix(fromLab_.a, toLab_.a, t), Mix(fromLab_.b, toLab_.b, t)};
    }
    // cos and sin need no normalising of a hue beyond 360.
    return OklchToOklab({Mix(fromLch_.lightness, toLch_.lightness, t),
                         Mix(fromLch_.chroma, toLch_.chroma, t), Mix(fromLch_.hue, toLch_.hue, t)});
}

RgbTriple PerceptualBlend::At(double t) const {
    const std::optional<OklabColor> blended = Blended(t);
    if (!blended) {
        return t == 0.0 ? from_ : to_;
    }
    return GamutMapToSrgb(*blended);
}

void PerceptualBlend::AtEach(std::span<const double> ts, std::span<RgbTriple> channels) const {
    const std::size_t count = std::min(ts.size(), channels.size());
    // The ends too go through the mapping, then are given back as they came.
    std::vector<OklabColor> blends(count);
    for (std::size_t i = 0; i < count; ++i) {
        blends[i] = Blended(ts[i]).value_or(OklabColor{});
    }
    GamutMapToSrgb(blends, channels.first(count));
    for (std::size_t i = 0; i < count; ++i) {
        if (ts[i] == 0.0 || ts[i] == 1.0) {
            channels[i] = ts[i] == 0.0 ? from_ : to_;
        }
    }
}

RgbTriple BlendPerceptual(const RgbTriple& from, const RgbTriple& to, double t, BlendSpace space,
                          HuePath path) {
    return PerceptualBlend(from, to, space, path).At(t);
}

RgbTriple ChannelsOf(ColorValue color) {
    return {static_cast<double>(RedOf(color)), static_cast<double>(GreenOf(color)),
            static_cast<double>(BlueOf(color))};
}

}  // namespace tonzug
