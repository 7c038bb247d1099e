#include "color/GamutMap.h"

namespace tonzug {
namespace {

constexpr double kJustNoticeable = 0.02;  // deltaEOK
constexpr double kChromaEpsilon = 0.0001;

bool InGamut(const LinearRgb& c) {
    return c.red >= 0.0 && c.red <= 1.0 && c.green >= 0.0 && c.green <= 1.0 && c.blue >= 0.0 &&
           c.blue <= 1.0;
}

// Clipping happens in linear light: the transfer function maps 0 to 0 and 1 to 1 and is
// monotonic, so clipping before or after it gives the same colour, and the search needs
// no power function per step. NaN becomes 0.
double ClipChannel(double value) {
    if (value > 1.0) {
        return 1.0;
    }
    return value > 0.0 ? value : 0.0;
}

LinearRgb Clip(const LinearRgb& c) {
    return {ClipChannel(c.red), ClipChannel(c.green), ClipChannel(c.blue)};
}

// The colours of one lightness and hue, by chroma. The hue's cosine and sine are taken
// once, so that each step of the search costs no trigonometry.
class ChromaLine {
  public:
    explicit ChromaLine(const OklchColor& lch)
        : lightness_(lch.lightness), direction_(OklchToOklab({0.0, 1.0, lch.hue})) {}

    OklabColor At(double chroma) const {
        return {lightness_, chroma * direction_.a, chroma * direction_.b};
    }

  private:
    double lightness_;
    OklabColor direction_;
};

}  // namespace

RgbTriple GamutMapToSrgb(const OklabColor& color) {
    if (color.lightness >= 1.0) {
        return {255.0, 255.0, 255.0};
    }
    if (!(color.lightness > 0.0)) {  // NaN too: black rather than garbage
        return {0.0, 0.0, 0.0};
    }
    // Most blends stay inside: test those before any polar conversion.
    LinearRgb currentLinear = OklabToLinearRgb(color);
    if (InGamut(currentLinear)) {
        return LinearRgbToSrgb(currentLinear);
    }
    const OklchColor origin = OklabToOklch(color);
    const ChromaLine line(origin);
    OklabColor currentLab = line.At(origin.chroma);
    currentLinear = OklabToLinearRgb(currentLab);

    LinearRgb clipped = Clip(currentLinear);
    double deltaE = DeltaEOk(LinearRgbToOklab(clipped), currentLab);
    if (deltaE < kJustNoticeable) {
        return LinearRgbToSrgb(clipped);
    }

    double minChroma = 0.0;
    double maxChroma = origin.chroma;
    bool minInGamut = true;
    while (maxChroma - minChroma > kChromaEpsilon) {
        const double chroma = (minChroma + maxChroma) / 2.0;
        currentLab = line.At(chroma);
        currentLinear = OklabToLinearRgb(currentLab);
        if (minInGamut && InGamut(currentLinear)) {
            minChroma = chroma;
            continue;
        }
        clipped = Clip(currentLinear);
        deltaE = DeltaEOk(LinearRgbToOklab(clipped), currentLab);
        if (deltaE < kJustNoticeable) {
            if (kJustNoticeable - deltaE < kChromaEpsilon) {
                break;
            }
            minInGamut = false;
            minChroma = chroma;
        } else {
            maxChroma = chroma;
        }
    }
    return LinearRgbToSrgb(clipped);
}

}  // namespace tonzug
