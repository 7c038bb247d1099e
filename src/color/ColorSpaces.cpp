#include "color/ColorSpaces.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tonzug {

std::int32_t Luminance(ColorValue color) {
    const double grey = 0.3 * RedOf(color) + 0.59 * GreenOf(color) + 0.11 * BlueOf(color);
    return static_cast<std::int32_t>(std::nearbyint(grey));  // 0..255, always in range
}

HslColor RgbToHsl(ColorValue color) {
    const double r = RedOf(color) / 255.0;
    const double g = GreenOf(color) / 255.0;
    const double b = BlueOf(color) / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});

    HslColor hsl;
    hsl.lightness = (max + min) / 2.0;
    if (max == min) {
        return hsl;  // a grey: hue and saturation 0
    }
    const double d = max - min;
    hsl.saturation = hsl.lightness <= 0.5 ? d / (max + min) : d / (2.0 - max - min);
    // Red wins a tie with green or blue, green wins a tie with blue.
    double hue = 0.0;
    if (r == max) {
        hue = (g - b) / d;
    } else if (g == max) {
        hue = 2.0 + (b - r) / d;
    } else {
        hue = 4.0 + (r - g) / d;
    }
    hue *= 60.0;
    if (hue < 0.0) {
        hue += 360.0;
    }
    hsl.hue = hue;
    return hsl;
}

double HueToValue(double m1, double m2, double hue) {
    if (hue > 360.0) {
        hue -= 360.0;
    }
    if (hue < 0.0) {
        hue += 360.0;
    }
    if (hue < 60.0) {
        return m1 + (m2 - m1) * hue / 60.0;
    }
    if (hue < 180.0) {
        return m2;
    }
    if (hue < 240.0) {
        return m1 + (m2 - m1) * (240.0 - hue) / 60.0;
    }
    return m1;
}

ColorValue HslToRgb(double hue, double saturation, double lightness, RgbTriple& triple) {
    const double m2 = lightness <= 0.5 ? lightness * (1.0 + saturation)
                                       : lightness + saturation - lightness * saturation;
    const double m1 = 2.0 * lightness - m2;
    double r = lightness;
    double g = lightness;
    double b = lightness;
    if (!(saturation == 0.0 && hue == 0.0)) {
        r = HueToValue(m1, m2, hue + 120.0);
        g = HueToValue(m1, m2, hue);
        b = HueToValue(m1, m2, hue - 120.0);
    }
    triple = RgbTriple{r * 255.0, g * 255.0, b * 255.0};

    double red = RoundHalfUp(r * 255.0);
    double green = RoundHalfUp(g * 255.0);
    double blue = RoundHalfUp(b * 255.0);
    ClampRgb(red, green, blue);
    return RgbColor(static_cast<int>(red), static_cast<int>(green), static_cast<int>(blue));
}

ColorValue HslToRgb(double hue, double saturation, double lightness) {
    RgbTriple unused;
    return HslToRgb(hue, saturation, lightness, unused);
}

ColorValue HslToRgb(const HslColor& hsl) {
    return HslToRgb(hsl.hue, hsl.saturation, hsl.lightness);
}

ColorValue HslScaledToRgb(double hue, double saturation, double lightness, std::int16_t scale,
                          RgbTriple& triple) {
    if (scale == 0) {
        return kBlack;
    }
    return HslToRgb(hue / scale * 360.0, saturation / scale, lightness / scale, triple);
}

ColorValue HslScaledToRgb(double hue, double saturation, double lightness, std::int16_t scale) {
    RgbTriple unused;
    return HslScaledToRgb(hue, saturation, lightness, scale, unused);
}

std::int32_t RoundHalfUp(double x) {
    // Beyond these no result fits 32 bits; within them a cast truncates as std::trunc does,
    // without a call into the maths library (ramps round millions of channels).
    constexpr double kBeyondInt32 = 2147483649.0;
    if (!(x > -kBeyondInt32 && x < kBeyondInt32)) {
        return 0;
    }
    const auto whole = static_cast<double>(static_cast<std::int64_t>(x));
    const double rounded = (x - whole) >= 0.5 ? whole + 1.0 : whole;
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max()) {
        return 0;
    }
    return static_cast<std::int32_t>(rounded);
}

void ClampRgb(double& red, double& green, double& blue) {
    for (double* channel : {&red, &green, &blue}) {
        if (*channel < 0.0) {
            *channel = 0.0;
        }
        if (*channel > 255.0) {
            *channel = 255.0;
        }
    }
}

}  // namespace tonzug
