#include "color/PerceptualBlend.h"

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

RgbTriple PerceptualBlend::At(double t) const {
    if (t == 0.0) {
        return from_;
    }
    if (t == 1.0) {
        return to_;
    }
    OklabColor blended;
    if (space_ == BlendSpace::kOklab) {
        blended = {Mix(fromLab_.lightness, toLab_.lightness, t), Mix(fromLab_.a, toLab_.a, t),
                   Mix(fromLab_.b, toLab_.b, t)};
    } else {
        // cos and sin need no normalising of a hue beyond 360.
        blended = OklchToOklab({Mix(fromLch_.lightness, toLch_.lightness, t),
                                Mix(fromLch_.chroma, toLch_.chroma, t),
                                Mix(fromLch_.hue, toLch_.hue, t)});
    }
    return GamutMapToSrgb(blended);
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
