#pragma once

// The Oklab matrices and the arithmetic of the conversions, inline, so that code which
// converts many colours side by side (the gamut mapping) can work them together.

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>

#include "color/Oklab.h"

namespace tonzug::oklab_math {

using Matrix3 = std::array<std::array<double, 3>, 3>;
using Vector3 = std::array<double, 3>;

// The matrices of the CSS Color 4 conversion code, as published there (the sRGB ones as
// exact fractions, the Oklab ones recalculated for 64-bit precision and a consistent D65
// white). Kept as two steps through CIE XYZ so that the figures stay checkable.
inline constexpr Matrix3 kLinearSrgbToXyz{{
    {506752.0 / 1228815.0, 87881.0 / 245763.0, 12673.0 / 70218.0},
    {87098.0 / 409605.0, 175762.0 / 245763.0, 12673.0 / 175545.0},
    {7918.0 / 409605.0, 87881.0 / 737289.0, 1001167.0 / 1053270.0},
}};
inline constexpr Matrix3 kXyzToLinearSrgb{{
    {12831.0 / 3959.0, -329.0 / 214.0, -1974.0 / 3959.0},
    {-851781.0 / 878810.0, 1648619.0 / 878810.0, 36519.0 / 878810.0},
    {705.0 / 12673.0, -2585.0 / 12673.0, 705.0 / 667.0},
}};
inline constexpr Matrix3 kXyzToLms{{
    {0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
    {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
    {0.0481771893596242, 0.2642395317527308, 0.6335478284694309},
}};
inline constexpr Matrix3 kLmsToOklab{{
    {0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
    {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
    {0.0259040424655478, 0.7827717124575296, -0.8086757549230774},
}};
inline constexpr Matrix3 kLmsToXyz{{
    {1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
    {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
    {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816},
}};
inline constexpr Matrix3 kOklabToLms{{
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
inline constexpr Matrix3 kLinearSrgbToLms = Product(kXyzToLms, kLinearSrgbToXyz);
inline constexpr Matrix3 kLmsToLinearSrgb = Product(kXyzToLinearSrgb, kLmsToXyz);

inline constexpr Vector3 Multiply(const Matrix3& m, const Vector3& v) {
    Vector3 result{};
    for (std::size_t row = 0; row < 3; ++row) {
        result[row] = m[row][0] * v[0] + m[row][1] * v[1] + m[row][2] * v[2];
    }
    return result;
}

// The cube root of a number that is not negative, by Newton's iteration for the inverse
// root from an estimate taken off the high exponent bits. libm's cbrt splits and rebuilds
// the number on every call; this needs no division, which vector registers do slowly, and
// nothing that keeps the compiler from working several colours side by side. Within 7.5
// ulps of the true root from 2^-700 to 2^700; below, where the iteration would overflow,
// the root of 2^-700 (far below anything a channel shows), and 0 for 0.
inline double DivisionFreeCubeRoot(double number) {
    constexpr double kSmallest = 0x1p-700;
    const double x = number > kSmallest ? number : kSmallest;
    constexpr std::uint64_t kInverseRootBias = 0x553EEEEF;  // 4/3 * 2^20 * (1023 - 0.05)
    constexpr std::uint64_t kOneThirdOf2To32 = 0x55555556;
    const auto high = static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(x) >> 32);
    const std::uint64_t thirdOfHigh = (std::uint64_t{high} * kOneThirdOf2To32) >> 32;
    // Within 3.5 %; each step, y (4 - x y^3) / 3, squares the relative error (and doubles it).
    double inverse = std::bit_cast<double>((kInverseRootBias - thirdOfHigh) << 32);
    const double thirdOfX = x * (1.0 / 3.0);
    for (int step = 0; step < 4; ++step) {
        const double square = inverse * inverse;
        inverse = (4.0 / 3.0) * inverse - thirdOfX * (square * square);
    }
    return number > 0.0 ? x * (inverse * inverse) : 0.0;
}

// The sRGB transfer function on the 0..1 scale, extended beyond it by mirroring at zero.
// The power 1/2.4 is taken as the cube root's 5/4th power (5/12 = 1/3 * 5/4), which a
// loop over many colours can work out in vector registers, unlike pow.
inline double EncodeSrgb(double linear) {
    const double magnitude = std::fabs(linear);
    const double root = DivisionFreeCubeRoot(magnitude);
    const double power = root * std::sqrt(std::sqrt(root));
    const double curve = std::copysign(1.055 * power - 0.055, linear);
    return magnitude > 0.0031308 ? curve : 12.92 * linear;
}

struct CosSin {
    double cos = 1.0;
    double sin = 0.0;
};

// The cosine and sine of an angle in degrees, within an ulp or so: the angle loses
// nothing when reduced by quarter turns in degrees, and polynomials (Cephes') take the
// rest, within 45 degrees. Without branches or calls, so that loops over many hues run in
// vector registers; and more exact than libm's on radians converted from large angles.
inline CosSin CosSinDegrees(double degrees) {
    constexpr double kRoundingShift = 6755399441055744.0;  // 1.5 * 2^52: rounds to integers
    constexpr double kLargestTurns = 4.0e15;
    const double quarterTurns = (degrees * (1.0 / 90.0) + kRoundingShift) - kRoundingShift;
    const double x = (degrees - 90.0 * quarterTurns) * (std::numbers::pi / 180.0);
    const double z = x * x;
    const double sine =
        x + x * z *
                (((((1.58962301576546568060e-10 * z - 2.50507477628578072866e-8) * z +
                    2.75573136213857245213e-6) *
                       z -
                   1.98412698295895385996e-4) *
                      z +
                  8.33333333332211858878e-3) *
                     z -
                 1.66666666666666307295e-1);
    const double cosine =
        1.0 - 0.5 * z +
        z * z *
            (((((-1.13585365213876817300e-11 * z + 2.08757008419747316778e-9) * z -
                2.75573141792967388112e-7) *
                   z +
               2.48015872888517045348e-5) *
                  z -
              1.38888888888730564116e-3) *
                 z +
             4.16666666666665929218e-2);
    const std::int64_t turns =
        std::fabs(quarterTurns) < kLargestTurns ? static_cast<std::int64_t>(quarterTurns) : 0;
    switch (turns & 3) {
        case 1:
            return {-sine, cosine};
        case 2:
            return {-cosine, -sine};
        case 3:
            return {sine, -cosine};
        default:
            return {cosine, sine};
    }
}

inline Vector3 LinearRgbToLms(const LinearRgb& linear) {
    return Multiply(kLinearSrgbToLms, {linear.red, linear.green, linear.blue});
}

// Oklab of the cone responses' cube roots.
inline OklabColor OklabOfRootCones(const Vector3& rootCones) {
    const Vector3 lab = Multiply(kLmsToOklab, rootCones);
    return {lab[0], lab[1], lab[2]};
}

inline LinearRgb LinearRgbOf(const OklabColor& lab) {
    Vector3 lms = Multiply(kOklabToLms, {lab.lightness, lab.a, lab.b});
    for (double& cone : lms) {
        cone = cone * cone * cone;
    }
    const Vector3 rgb = Multiply(kLmsToLinearSrgb, lms);
    return {rgb[0], rgb[1], rgb[2]};
}

}  // namespace tonzug::oklab_math
