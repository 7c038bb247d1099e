#include "color/Oklab.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace tonzug {
namespace {

using Matrix3 = std::array<std::array<double, 3>, 3>;
using Vector3 = std::array<double, 3>;

// The matrices of the CSS Color 4 conversion code, as published there (the sRGB ones as
// exact fractions, the Oklab ones recalculated for 64-bit precision and a consistent D65
// white). Kept as two steps through CIE XYZ so that the figures stay checkable.
constexpr Matrix3 kLinearSrgbToXyz{{
    {506752.0 / 1228815.0, 87881.0 / 245763.0, 12673.0 / 70218.0},
    {87098.0 / 409605.0, 175762.0 / 245763.0, 12673.0 / 175545.0},
    {7918.0 / 409605.0, 87881.0 / 737289.0, 1001167.0 / 1053270.0},
}};
constexpr Matrix3 kXyzToLinearSrgb{{
    {12831.0 / 3959.0, -329.0 / 214.0, -1974.0 / 3959.0},
    {-851781.0 / 878810.0, 1648619.0 / 878810.0, 36519.0 / 878810.0},
    {705.0 / 12673.0, -2585.0 / 12673.0, 705.0 / 667.0},
}};
constexpr Matrix3 kXyzToLms{{
    {0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
    {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
    {0.0481771893596242, 0.2642395317527308, 0.6335478284694309},
}};
constexpr Matrix3 kLmsToOklab{{
    {0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
    {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
    {0.0259040424655478, 0.7827717124575296, -0.8086757549230774},
}};
constexpr Matrix3 kLmsToXyz{{
    {1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
    {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
    {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816},
}};
constexpr Matrix3 kOklabToLms{{
    {1.0000000000000000, 0.3963377773761749, 0.2158037573099136},
    {1.0000000000000000, -0.1055613458156586, -0.0638541728258133},
    {1.0000000000000000, -0.0894841775298119, -1.2914855480194092},
}};

constexpr Matrix3 Product(const Matrix3& left, const Matrix3& right) {
    Matrix3 result{};
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t column = 0; column < 3; ++column) {
            result[row][column] = left[row][0] * right[0][column] +
                                  left[row][1] * right[1][column] + left[row][2] * right[2][column];
        }
    }
    return result;
}

// The two steps through XYZ joined once, so that a conversion costs one product each way.
constexpr Matrix3 kLinearSrgbToLms = Product(kXyzToLms, kLinearSrgbToXyz);
constexpr Matrix3 kLmsToLinearSrgb = Product(kXyzToLinearSrgb, kLmsToXyz);

// The real cube root, to within a few ulps: Halley's iteration from an estimate taken off the
// exponent bits. libm's cbrt splits and rebuilds the number on every call, which made it
// the larger part of gamut mapping, run a dozen times per colour.
double CubeRoot(double x) {
    if (!std::isnormal(x) || x < 0.0) {
        return std::cbrt(x);  // zero, negatives, subnormals, infinities, NaN
    }
    constexpr std::uint64_t kThirdOfExponentBias = 0x2A9F7893782DA1CEull;
    double root = std::bit_cast<double>(std::bit_cast<std::uint64_t>(x) / 3 + kThirdOfExponentBias);
    // The estimate is within 4 %; each step cubes the relative error.
    for (int step = 0; step < 3; ++step) {
        const double cube = root * root * root;
        root *= (cube + 2.0 * x) / (2.0 * cube + x);
    }
    return root;
}

Vector3 Multiply(const Matrix3& m, const Vector3& v) {
    Vector3 result{};
    for (std::size_t row = 0; row < 3; ++row) {
        result[row] = m[row][0] * v[0] + m[row][1] * v[1] + m[row][2] * v[2];
    }
    return result;
}

constexpr double kChannelMax = 255.0;

}  // namespace

double SrgbToLinear(double encoded) {
    const double magnitude = std::fabs(encoded);
    if (magnitude <= 0.04045) {
        return encoded / 12.92;
    }
    return std::copysign(std::pow((magnitude + 0.055) / 1.055, 2.4), encoded);
}

double LinearToSrgb(double linear) {
    const double magnitude = std::fabs(linear);
    if (magnitude > 0.0031308) {
        return std::copysign(1.055 * std::pow(magnitude, 1.0 / 2.4) - 0.055, linear);
    }
    return 12.92 * linear;
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
    Vector3 lms = Multiply(kLinearSrgbToLms, {linear.red, linear.green, linear.blue});
    for (double& cone : lms) {
        cone = CubeRoot(cone);  // sign-matched, unlike pow
    }
    const Vector3 lab = Multiply(kLmsToOklab, lms);
    return {lab[0], lab[1], lab[2]};
}

LinearRgb OklabToLinearRgb(const OklabColor& lab) {
    Vector3 lms = Multiply(kOklabToLms, {lab.lightness, lab.a, lab.b});
    for (double& cone : lms) {
        cone = cone * cone * cone;
    }
    const Vector3 rgb = Multiply(kLmsToLinearSrgb, lms);
    return {rgb[0], rgb[1], rgb[2]};
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
    const double radians = lch.hue * std::numbers::pi / 180.0;
    return {lch.lightness, lch.chroma * std::cos(radians), lch.chroma * std::sin(radians)};
}

double DeltaEOk(const OklabColor& one, const OklabColor& two) {
    const double dL = one.lightness - two.lightness;
    const double da = one.a - two.a;
    const double db = one.b - two.b;
    return std::sqrt(dL * dL + da * da + db * db);
}

}  // namespace tonzug
