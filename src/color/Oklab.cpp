#include "color/Oklab.h"

#include <cmath>
#include <numbers>

#include "color/OklabMath.h"

namespace tonzug {
namespace {

constexpr double kChannelMax = 255.0;

double CubeRoot(double x) {
    constexpr double kLeast = 0x1p-700;
    constexpr double kMost = 0x1p700;
    const double magnitude = std::fabs(x);
    if (!(magnitude >= kLeast && magnitude <= kMost)) {
        return std::cbrt(x);  // zero, the extremes, infinities, NaN
    }
    return std::copysign(oklab_math::DivisionFreeCubeRoot(magnitude), x);
}

}  // namespace

double SrgbToLinear(double encoded) {
    const double magnitude = std::fabs(encoded);
    if (magnitude <= 0.04045) {
        return encoded / 12.92;
    }
    return std::copysign(std::pow((magnitude + 0.055) / 1.055, 2.4), encoded);
}

double LinearToSrgb(double linear) {
    return oklab_math::EncodeSrgb(linear);
}

LinearRgb SrgbToLinearRgb(const RgbTriple& channels) {
    return {SrgbToLinear(channels.red / kChannelMax), SrgbToLinear(channels.green / kChannelMax),
            SrgbToLinear(channels.blue / kChannelMax)};
}

RgbTriple LinearRgbToSrgb(const LinearRgb& linear) {
    return {LinearToSrgb(linear.red) * kChannelMax, LinearToSrgb(linear.green) * kChannelMax,
            LinearToSrgb(linear.blue) * kChannelMax};
}

OklabColor LinearRgbToOklab(const LinearRgb& linear) {
    oklab_math::Vector3 cones = oklab_math::LinearRgbToLms(linear);
    for (double& cone : cones) {
        cone = CubeRoot(cone);  // sign-matched, unlike pow
    }
    return oklab_math::OklabOfRootCones(cones);
}

LinearRgb OklabToLinearRgb(const OklabColor& lab) {
    return oklab_math::LinearRgbOf(lab);
}

OklabColor SrgbToOklab(const RgbTriple& channels) {
    return LinearRgbToOklab(SrgbToLinearRgb(channels));
}

RgbTriple OklabToSrgb(const OklabColor& lab) {
    return LinearRgbToSrgb(OklabToLinearRgb(lab));
}

OklchColor OklabToOklch(const OklabColor& lab) {
    const double chroma = std::sqrt(lab.a * lab.a + lab.b * lab.b);
    double hue = std::atan2(lab.b, lab.a) * 180.0 / std::numbers::pi;
    if (hue < 0.0) {
        hue += 360.0;
    }
    if (chroma <= kAchromaticChroma) {
        hue = std::nan("");
    }
    return {lab.lightness, chroma, hue};
}

OklabColor OklchToOklab(const OklchColor& lch) {
    if (std::isnan(lch.hue)) {
        return {lch.lightness, 0.0, 0.0};
    }
    const oklab_math::CosSin direction = oklab_math::CosSinDegrees(lch.hue);
    return {lch.lightness, lch.chroma * direction.cos, lch.chroma * direction.sin};
}

double DeltaEOk(const OklabColor& one, const OklabColor& two) {
    const double dL = one.lightness - two.lightness;
    const double da = one.a - two.a;
    const double db = one.b - two.b;
    return std::sqrt(dL * dL + da * da + db * db);
}

}  // namespace tonzug
