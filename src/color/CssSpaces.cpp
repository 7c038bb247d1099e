#include "color/CssSpaces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "color/HuePath.h"
#include "color/Oklab.h"
#include "color/OklabMath.h"

namespace tonzug {
namespace {

using oklab_math::Matrix3;
using oklab_math::Multiply;
using oklab_math::Product;
using oklab_math::Vector3;

constexpr double kChannelMax = 255.0;

// The matrices of the CSS Color 4 conversion code: the RGB spaces to CIE XYZ of their own
// white and back (exact fractions where CSS gives them), and Bradford's adaptation between
// D65 and D50.
constexpr Matrix3 kLinearP3ToXyz{{
    {608311.0 / 1250200.0, 189793.0 / 714400.0, 198249.0 / 1000160.0},
    {35783.0 / 156275.0, 247089.0 / 357200.0, 198249.0 / 2500400.0},
    {0.0, 32229.0 / 714400.0, 5220557.0 / 5000800.0},
}};
constexpr Matrix3 kXyzToLinearP3{{
    {446124.0 / 178915.0, -333277.0 / 357830.0, -72051.0 / 178915.0},
    {-14852.0 / 17905.0, 63121.0 / 35810.0, 423.0 / 17905.0},
    {11844.0 / 330415.0, -50337.0 / 660830.0, 316169.0 / 330415.0},
}};
constexpr Matrix3 kLinearA98ToXyz{{
    {573536.0 / 994567.0, 263643.0 / 1420810.0, 187206.0 / 994567.0},
    {591459.0 / 1989134.0, 6239551.0 / 9945670.0, 374412.0 / 4972835.0},
    {53769.0 / 1989134.0, 351524.0 / 4972835.0, 4929758.0 / 4972835.0},
}};
constexpr Matrix3 kXyzToLinearA98{{
    {1829569.0 / 896150.0, -506331.0 / 896150.0, -308931.0 / 896150.0},
    {-851781.0 / 878810.0, 1648619.0 / 878810.0, 36519.0 / 878810.0},
    {16779.0 / 1248040.0, -147721.0 / 1248040.0, 1266979.0 / 1248040.0},
}};
constexpr Matrix3 kLinearRec2020ToXyz{{
    {63426534.0 / 99577255.0, 20160776.0 / 139408157.0, 47086771.0 / 278816314.0},
    {26158966.0 / 99577255.0, 472592308.0 / 697040785.0, 8267143.0 / 139408157.0},
    {0.0, 19567812.0 / 697040785.0, 295819943.0 / 278816314.0},
}};
constexpr Matrix3 kXyzToLinearRec2020{{
    {30757411.0 / 17917100.0, -6372589.0 / 17917100.0, -4539589.0 / 17917100.0},
    {-19765991.0 / 29648200.0, 47925759.0 / 29648200.0, 467509.0 / 29648200.0},
    {792561.0 / 44930125.0, -1921689.0 / 44930125.0, 42328811.0 / 44930125.0},
}};
// ProPhoto's white is D50.
constexpr Matrix3 kLinearProphotoToXyzD50{{
    {0.79776664490064230, 0.13518129740053308, 0.03134773412839220},
    {0.28807482881940130, 0.71183523424187300, 0.00008993693872564},
    {0.0, 0.0, 0.82510460251046020},
}};
constexpr Matrix3 kXyzD50ToLinearProphoto{{
    {1.34578688164715830, -0.25557208737979464, -0.05110186497554526},
    {-0.54463070512490190, 1.50824774284514680, 0.02052744743642139},
    {0.0, 0.0, 1.21196754563894520},
}};
constexpr Matrix3 kD65ToD50{{
    {1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
    {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
    {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371},
}};
constexpr Matrix3 kD50ToD65{{
    {0.955473421488075, -0.02309845494876471, 0.06325924320057072},
    {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
    {0.012314014864481998, -0.020507649298898964, 1.330365926242124},
}};
constexpr Matrix3 kIdentity{{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}};

// D50 as CSS defines it from its x, y chromaticity.
constexpr Vector3 kD50White{0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};

// Chroma up to which a CIE LCh colour counts as grey, its hue powerless.
constexpr double kLabAchromaticChroma = 0.0015;
// Channel spread up to which HSL and HWB count a colour as grey (hue powerless): a grey
// that went through another space keeps rounding noise in its channels, which must not
// turn into a random hue.
constexpr double kAchromaticSpread = 1e-10;

// The transfer functions of the RGB spaces, extended to negative values by mirroring.
enum class Transfer { kLinear, kSrgb, kA98, kProphoto, kGamma24 };

constexpr double kA98Gamma = 563.0 / 256.0;
// ProPhoto is linear near black: up to 1/512 linear light, which encodes as 16/512.
constexpr double kProphotoGamma = 1.8;
constexpr double kProphotoLinearSlope = 16.0;
constexpr double kProphotoLinearEnd = 1.0 / 512.0;
// rec2020 as a display shows it: BT.1886's plain power, not BT.2020's camera curve.
constexpr double kRec2020Gamma = 2.4;

double Mirrored(double value, double (*curve)(double)) {
    return std::copysign(curve(std::fabs(value)), value);
}

double Decode(Transfer transfer, double encoded) {
    switch (transfer) {
        case Transfer::kLinear:
            break;
        case Transfer::kSrgb:
            return SrgbToLinear(encoded);
        case Transfer::kA98:
            return Mirrored(encoded, [](double x) { return std::pow(x, kA98Gamma); });
        case Transfer::kProphoto:
            return Mirrored(encoded, [](double x) {
                return x <= kProphotoLinearSlope * kProphotoLinearEnd ? x / kProphotoLinearSlope
                                                                      : std::pow(x, kProphotoGamma);
            });
        case Transfer::kGamma24:
            return Mirrored(encoded, [](double x) { return std::pow(x, kRec2020Gamma); });
    }
    return encoded;
}

double Encode(Transfer transfer, double linear) {
    switch (transfer) {
        case Transfer::kLinear:
            break;
        case Transfer::kSrgb:
            return LinearToSrgb(linear);
        case Transfer::kA98:
            return Mirrored(linear, [](double x) { return std::pow(x, 1.0 / kA98Gamma); });
        case Transfer::kProphoto:
            return Mirrored(linear, [](double x) {
                return x >= kProphotoLinearEnd ? std::pow(x, 1.0 / kProphotoGamma)
                                               : kProphotoLinearSlope * x;
            });
        case Transfer::kGamma24:
            return Mirrored(linear, [](double x) { return std::pow(x, 1.0 / kRec2020Gamma); });
    }
    return linear;
}

// An RGB or XYZ space as seen from linear-light sRGB.
struct LinearSpace {
    Matrix3 fromLinearSrgb;
    Matrix3 toLinearSrgb;
    Transfer transfer;
};

using oklab_math::kLinearSrgbToXyz;
using oklab_math::kXyzToLinearSrgb;
constexpr Matrix3 kLinearSrgbToXyzD50 = Product(kD65ToD50, kLinearSrgbToXyz);
constexpr Matrix3 kXyzD50ToLinearSrgb = Product(kXyzToLinearSrgb, kD50ToD65);

constexpr LinearSpace kSrgbLinearSpace{kIdentity, kIdentity, Transfer::kLinear};
constexpr LinearSpace kDisplayP3Space{Product(kXyzToLinearP3, kLinearSrgbToXyz),
                                      Product(kXyzToLinearSrgb, kLinearP3ToXyz), Transfer::kSrgb};
constexpr LinearSpace kA98Space{Product(kXyzToLinearA98, kLinearSrgbToXyz),
                                Product(kXyzToLinearSrgb, kLinearA98ToXyz), Transfer::kA98};
constexpr LinearSpace kProphotoSpace{Product(kXyzD50ToLinearProphoto, kLinearSrgbToXyzD50),
                                     Product(kXyzD50ToLinearSrgb, kLinearProphotoToXyzD50),
                                     Transfer::kProphoto};
constexpr LinearSpace kRec2020Space{Product(kXyzToLinearRec2020, kLinearSrgbToXyz),
                                    Product(kXyzToLinearSrgb, kLinearRec2020ToXyz),
                                    Transfer::kGamma24};
constexpr LinearSpace kXyzD50Space{kLinearSrgbToXyzD50, kXyzD50ToLinearSrgb, Transfer::kLinear};
constexpr LinearSpace kXyzD65Space{kLinearSrgbToXyz, kXyzToLinearSrgb, Transfer::kLinear};

// The RGB and XYZ spaces, and XYZ D50 for Lab and LCh; linear sRGB for the others, which
// convert from there by their own ways.
const LinearSpace& LinearSpaceOf(InterpolationSpace space) {
    switch (space) {
        case InterpolationSpace::kDisplayP3:
            return kDisplayP3Space;
        case InterpolationSpace::kA98Rgb:
            return kA98Space;
        case InterpolationSpace::kProphotoRgb:
            return kProphotoSpace;
        case InterpolationSpace::kRec2020:
            return kRec2020Space;
        case InterpolationSpace::kXyzD50:
        case InterpolationSpace::kLab:
        case InterpolationSpace::kLch:
            return kXyzD50Space;
        case InterpolationSpace::kXyzD65:
            return kXyzD65Space;
        default:
            return kSrgbLinearSpace;
    }
}

// CIE Lab from XYZ relative to D50, and back, with CIE's exact constants.
constexpr double kLabEpsilon = 216.0 / 24389.0;
constexpr double kLabKappa = 24389.0 / 27.0;

SpaceComponents XyzD50ToLab(const Vector3& xyz) {
    Vector3 f{};
    for (std::size_t i = 0; i < f.size(); ++i) {
        const double relative = xyz[i] / kD50White[i];
        f[i] = relative > kLabEpsilon ? std::cbrt(relative) : (kLabKappa * relative + 16.0) / 116.0;
    }
    return {116.0 * f[1] - 16.0, 500.0 * (f[0] - f[1]), 200.0 * (f[1] - f[2])};
}

Vector3 LabToXyzD50(const SpaceComponents& lab) {
    const double fy = (lab[0] + 16.0) / 116.0;
    const double fx = lab[1] / 500.0 + fy;
    const double fz = fy - lab[2] / 200.0;
    const auto cubed = [](double f) {
        const double cube = f * f * f;
        return cube > kLabEpsilon ? cube : (116.0 * f - 16.0) / kLabKappa;
    };
    const double y = lab[0] > kLabKappa * kLabEpsilon ? fy * fy * fy : lab[0] / kLabKappa;
    return {cubed(fx) * kD50White[0], y * kD50White[1], cubed(fz) * kD50White[2]};
}

// Rectangular a, b to chroma and hue; no hue up to `achromatic` chroma.
SpaceComponents ToPolar(const SpaceComponents& rectangular, double achromatic) {
    const double chroma = std::hypot(rectangular[1], rectangular[2]);
    const double hue =
        chroma <= achromatic
            ? std::nan("")
            : NormalizeHue(std::atan2(rectangular[2], rectangular[1]) * 180.0 / std::numbers::pi);
    return {rectangular[0], chroma, hue};
}

SpaceComponents FromPolar(const SpaceComponents& polar) {
    const oklab_math::CosSin direction = oklab_math::CosSinDegrees(polar[2]);
    return {polar[0], polar[1] * direction.cos, polar[1] * direction.sin};
}

// The hue of the HSL hexcone, NaN for a grey.
double HexconeHue(const SpaceComponents& rgb) {
    const auto [red, green, blue] = rgb;
    const double max = std::max({red, green, blue});
    const double spread = max - std::min({red, green, blue});
    if (spread <= kAchromaticSpread) {
        return std::nan("");
    }
    double sextant = 0.0;
    if (max == red) {
        sextant = (green - blue) / spread + (green < blue ? 6.0 : 0.0);
    } else if (max == green) {
        sextant = (blue - red) / spread + 2.0;
    } else {
        sextant = (red - green) / spread + 4.0;
    }
    return NormalizeHue(sextant * 60.0);
}

// HSL of channels that may lie beyond 0..1, as CSS Color 4 computes it: a colour far out of
// gamut comes out with a negative saturation, which turns into the opposite hue instead.
SpaceComponents SrgbToHsl(const SpaceComponents& rgb) {
    const double max = std::max({rgb[0], rgb[1], rgb[2]});
    const double min = std::min({rgb[0], rgb[1], rgb[2]});
    const double lightness = (max + min) / 2.0;
    double hue = HexconeHue(rgb);
    double saturation = 0.0;
    if (!std::isnan(hue) && lightness != 0.0 && lightness != 1.0) {
        saturation = (max - lightness) / std::min(lightness, 1.0 - lightness);
    }
    if (saturation < 0.0) {
        hue = NormalizeHue(hue + 180.0);
        saturation = -saturation;
    }
    return {hue, saturation, lightness};
}

SpaceComponents HslToSrgb(const SpaceComponents& hsl) {
    RgbTriple channels;
    HslToRgb(NormalizeHue(hsl[0]), hsl[1], hsl[2], channels);
    return {channels.red / kChannelMax, channels.green / kChannelMax, channels.blue / kChannelMax};
}

// Whiteness and blackness add up to 1 less the channels' spread: the hue is powerless
// (white + black >= 1) exactly where the hexcone has none.
SpaceComponents SrgbToHwb(const SpaceComponents& rgb) {
    return {HexconeHue(rgb), std::min({rgb[0], rgb[1], rgb[2]}),
            1.0 - std::max({rgb[0], rgb[1], rgb[2]})};
}

SpaceComponents HwbToSrgb(const SpaceComponents& hwb) {
    const auto [hue, white, black] = hwb;
    if (white + black >= 1.0) {
        const double grey = white / (white + black);
        return {grey, grey, grey};
    }
    SpaceComponents rgb = HslToSrgb({hue, 1.0, 0.5});
    for (double& channel : rgb) {
        channel = channel * (1.0 - white - black) + white;
    }
    return rgb;
}

SpaceComponents Decoded(const SpaceComponents& encoded, Transfer transfer) {
    return {Decode(transfer, encoded[0]), Decode(transfer, encoded[1]),
            Decode(transfer, encoded[2])};
}

SpaceComponents Encoded(const SpaceComponents& linear, Transfer transfer) {
    return {Encode(transfer, linear[0]), Encode(transfer, linear[1]), Encode(transfer, linear[2])};
}

SpaceComponents OklabComponents(const OklabColor& lab) {
    return {lab.lightness, lab.a, lab.b};
}

}  // namespace

SpaceComponents ComponentsInSpace(const CssColor& color, InterpolationSpace space) {
    const SpaceComponents srgb{color.red, color.green, color.blue};
    switch (space) {
        case InterpolationSpace::kSrgb:
            return srgb;
        case InterpolationSpace::kHsl:
            return SrgbToHsl(srgb);
        case InterpolationSpace::kHwb:
            return SrgbToHwb(srgb);
        default:
            break;
    }
    const SpaceComponents linear = Decoded(srgb, Transfer::kSrgb);
    switch (space) {
        case InterpolationSpace::kSrgbLinear:
            return linear;
        case InterpolationSpace::kOklab:
        case InterpolationSpace::kOklch: {
            const OklabColor lab = LinearRgbToOklab({linear[0], linear[1], linear[2]});
            if (space == InterpolationSpace::kOklab) {
                return OklabComponents(lab);
            }
            const OklchColor lch = OklabToOklch(lab);
            return {lch.lightness, lch.chroma, lch.hue};
        }
        default:
            break;
    }
    const LinearSpace& target = LinearSpaceOf(space);
    const Vector3 converted = Multiply(target.fromLinearSrgb, linear);
    if (space == InterpolationSpace::kLab) {
        return XyzD50ToLab(converted);
    }
    if (space == InterpolationSpace::kLch) {
        return ToPolar(XyzD50ToLab(converted), kLabAchromaticChroma);
    }
    return Encoded(converted, target.transfer);
}

CssColor ColorFromSpace(const SpaceComponents& components, InterpolationSpace space, double alpha) {
    SpaceComponents given = components;
    for (double& component : given) {
        if (std::isnan(component)) {
            component = 0.0;
        }
    }
    const auto srgbColor = [alpha](const SpaceComponents& srgb) {
        return CssColor(srgb[0], srgb[1], srgb[2], alpha);
    };
    const auto linearColor = [&](const Vector3& linear) {
        return srgbColor(Encoded(linear, Transfer::kSrgb));
    };
    switch (space) {
        case InterpolationSpace::kSrgb:
            return srgbColor(given);
        case InterpolationSpace::kHsl:
            return srgbColor(HslToSrgb(given));
        case InterpolationSpace::kHwb:
            return srgbColor(HwbToSrgb(given));
        case InterpolationSpace::kSrgbLinear:
            return linearColor(given);
        case InterpolationSpace::kOklab:
        case InterpolationSpace::kOklch: {
            const SpaceComponents lab =
                space == InterpolationSpace::kOklab ? given : FromPolar(given);
            const LinearRgb linear = OklabToLinearRgb({lab[0], lab[1], lab[2]});
            return linearColor({linear.red, linear.green, linear.blue});
        }
        default:
            break;
    }
    const LinearSpace& source = LinearSpaceOf(space);
    Vector3 linear{};
    if (space == InterpolationSpace::kLab || space == InterpolationSpace::kLch) {
        linear = LabToXyzD50(space == InterpolationSpace::kLab ? given : FromPolar(given));
    } else {
        linear = Decoded(given, source.transfer);
    }
    return linearColor(Multiply(source.toLinearSrgb, linear));
}

std::optional<std::size_t> HueIndex(InterpolationSpace space) {
    switch (space) {
        case InterpolationSpace::kHsl:
        case InterpolationSpace::kHwb:
            return 0;
        case InterpolationSpace::kLch:
        case InterpolationSpace::kOklch:
            return 2;
        default:
            return std::nullopt;
    }
}

std::array<ColorComponent, 3> ComponentKinds(InterpolationSpace space) {
    using enum ColorComponent;
    switch (space) {
        case InterpolationSpace::kLab:
        case InterpolationSpace::kOklab:
            return {kLightness, kOpponentA, kOpponentB};
        case InterpolationSpace::kLch:
        case InterpolationSpace::kOklch:
            return {kLightness, kColorfulness, kHue};
        case InterpolationSpace::kHsl:
            return {kHue, kColorfulness, kLightness};
        case InterpolationSpace::kHwb:
            return {kHue, kWhiteness, kBlackness};
        default:
            return {kRed, kGreen, kBlue};  // r g b, and x y z
    }
}

}  // namespace tonzug
