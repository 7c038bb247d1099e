#include "color/CssColor.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "color/GamutMap.h"
#include "color/Oklab.h"

namespace tonzug {
namespace {

constexpr double kChannelMax = 255.0;
constexpr double kLightnessRoundingError = 1e-12;

struct Wording {
    const char* english;
    const char* german;
};

Wording WordingOf(CssExpected expected) {
    switch (expected) {
        case CssExpected::kColor:
            return {
                "a colour (#RRGGBB, a colour name, rgb(), hsl(), hwb(), lab(), lch(), oklab(), "
                "oklch() or color())",
                "eine Farbe (#RRGGBB, ein Farbname, rgb(), hsl(), hwb(), lab(), lch(), oklab(), "
                "oklch() oder color())"};
        case CssExpected::kColorSpace:
            return {
                "a colour space (srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, "
                "rec2020, xyz, xyz-d50 or xyz-d65)",
                "ein Farbraum (srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, "
                "xyz, xyz-d50 oder xyz-d65)"};
        case CssExpected::kHexDigits:
            return {"3, 4, 6 or 8 hex digits", "3, 4, 6 oder 8 Hexadezimalziffern"};
        case CssExpected::kNumber:
            return {"a number", "eine Zahl"};
        case CssExpected::kPercentage:
            return {"a percentage", "ein Prozentwert"};
        case CssExpected::kNumberOrPercentage:
            return {"a number or a percentage", "eine Zahl oder ein Prozentwert"};
        case CssExpected::kHue:
            return {"a hue (a number or an angle in deg, grad, rad or turn)",
                    "ein Farbton (eine Zahl oder ein Winkel in deg, grad, rad oder turn)"};
        case CssExpected::kComma:
            return {"\",\"", "„,“"};
        case CssExpected::kCommaOrClose:
            return {"\",\" or \")\"", "„,“ oder „)“"};
        case CssExpected::kSlashOrClose:
            return {"\"/\" or \")\"", "„/“ oder „)“"};
        case CssExpected::kClose:
            return {"\")\"", "„)“"};
        case CssExpected::kEnd:
            break;
    }
    return {"the end of the colour", "das Ende der Farbe"};
}

bool InsideGamut(const CssColor& color) {
    const auto inside = [](double channel) { return channel >= 0.0 && channel <= 1.0; };
    return inside(color.red) && inside(color.green) && inside(color.blue);
}

RgbTriple ChannelsOf(const CssColor& color) {
    return {color.red * kChannelMax, color.green * kChannelMax, color.blue * kChannelMax};
}

// The colour as the gamut mapping takes it. CSS maps a colour at white or black lightness
// to white or black, whatever its chroma. The way through sRGB leaves such a lightness a
// rounding error off 1 or 0, where the mapping would keep a pale (dark) tint instead.
OklabColor OklabToMap(const RgbTriple& channels) {
    OklabColor lab = SrgbToOklab(channels);
    for (const double end : {0.0, 1.0}) {
        if (std::fabs(lab.lightness - end) < kLightnessRoundingError) {
            lab.lightness = end;
        }
    }
    return lab;
}

}  // namespace

std::string DescribeCssError(const CssColorError& error, MessageLanguage language) {
    const Wording wording = WordingOf(error.expected);
    const std::string position = std::to_string(error.character + 1);
    if (language == MessageLanguage::kGerman) {
        return "An Stelle " + position + " wird " + wording.german +
               (error.orNone ? " oder none" : "") + " erwartet";
    }
    return std::string("expected ") + wording.english + (error.orNone ? " or none" : "") +
           " at character " + position;
}

bool IsOpaque(const CssColor& color) {
    return color.alpha >= 1.0;
}

RgbTriple MapIntoSrgb(const CssColor& color) {
    if (InsideGamut(color)) {
        return ChannelsOf(color);
    }
    return GamutMapToSrgb(OklabToMap(ChannelsOf(color)));
}

void MapIntoSrgb(std::span<const CssColor> colors, std::span<RgbTriple> mapped) {
    const std::size_t count = std::min(colors.size(), mapped.size());
    std::vector<OklabColor> outside;
    std::vector<std::size_t> outsideAt;
    for (std::size_t i = 0; i < count; ++i) {
        mapped[i] = ChannelsOf(colors[i]);
        if (!InsideGamut(colors[i])) {
            outside.push_back(OklabToMap(mapped[i]));
            outsideAt.push_back(i);
        }
    }
    std::vector<RgbTriple> inside(outside.size());
    GamutMapToSrgb(outside, inside);
    for (std::size_t k = 0; k < outsideAt.size(); ++k) {
        mapped[outsideAt[k]] = inside[k];
    }
}

ColorValue ToColorValue(const CssColor& color) {
    const RgbTriple mapped = MapIntoSrgb(color);
    const auto level = [](double channel) {
        return std::isfinite(channel)
                   ? static_cast<int>(std::nearbyint(std::clamp(channel, 0.0, kChannelMax)))
                   : 0;
    };
    return RgbColor(level(mapped.red), level(mapped.green), level(mapped.blue));
}

OpaqueColorReading ReadOpaqueColor(std::string_view text, HexHash hash, MessageLanguage language) {
    const CssColorReading reading = ReadCssColor(text, hash);
    if (!reading.color) {
        return {std::nullopt, DescribeCssError(reading.error, language)};
    }
    if (!IsOpaque(*reading.color)) {
        return {std::nullopt, language == MessageLanguage::kGerman
                                  ? "Die Farbe ist durchscheinend; hier gehen nur deckende Farben"
                                  : "the colour is transparent, only opaque colours go here"};
    }
    return {ToColorValue(*reading.color), {}};
}

}  // namespace tonzug
