#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "color/ColorSpaces.h"
#include "color/ColorValue.h"

namespace tonzug {

// The kinds of colour component that CSS Color 4 counts as analogous across colour spaces
// (r and x are reds, the L of lab(), lch(), oklab(), oklch() and hsl() are lightness, ...).
enum class ColorComponent : std::uint8_t {
    kRed,
    kGreen,
    kBlue,
    kLightness,
    kColorfulness,  // chroma, saturation
    kHue,
    kOpponentA,
    kOpponentB,
    kWhiteness,
    kBlackness,
    kAlpha,
};

// The components a colour was written with as "none". A blend takes such a component from
// the other colour, in whatever space it blends.
class MissingComponents {
  public:
    constexpr bool Has(ColorComponent component) const { return (bits_ & Bit(component)) != 0; }
    constexpr void Add(ColorComponent component) { bits_ |= Bit(component); }
    constexpr bool None() const { return bits_ == 0; }

    friend bool operator==(const MissingComponents&, const MissingComponents&) = default;

  private:
    static constexpr std::uint16_t Bit(ColorComponent component) {
        return static_cast<std::uint16_t>(1u << static_cast<unsigned>(component));
    }
    std::uint16_t bits_ = 0;
};

// A colour as CSS writes it, in sRGB: channels 0..1 inside the gamut and beyond that range
// for colours outside it (an oklch() of high chroma), with straight (not premultiplied)
// alpha 0..1. A missing component counts as 0 in the channels.
struct CssColor {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double alpha = 1.0;
    MissingComponents missing;

    constexpr CssColor() = default;
    // Not an aggregate, so that the four channels alone still initialise it without a
    // warning about the missing components.
    constexpr CssColor(double redChannel, double greenChannel, double blueChannel,
                       double alphaChannel = 1.0, MissingComponents missingComponents = {})
        : red(redChannel),
          green(greenChannel),
          blue(blueChannel),
          alpha(alphaChannel),
          missing(missingComponents) {}

    friend bool operator==(const CssColor&, const CssColor&) = default;
};

// What the reader looked for where a text stopped being a colour.
enum class CssExpected {
    kColor,  // "#" and hex digits, a colour name or a colour function
    kHexDigits,
    kNumber,
    kPercentage,
    kNumberOrPercentage,
    kHue,  // a number (degrees) or an angle
    kComma,
    kCommaOrClose,
    kSlashOrClose,
    kClose,
    kEnd,         // nothing after the colour
    kColorSpace,  // a colour space of color()
};

struct CssColorError {
    std::size_t character = 0;  // counted from 0 in characters, not bytes
    CssExpected expected = CssExpected::kColor;
    bool orNone = false;  // the keyword "none" would have done too
};

// Whether a colour may be written as bare hex digits, as the chooser's HTML field has
// always taken "FF8000".
enum class HexHash { kRequired, kOptional };

// How a colour was written. CSS blends gradients whose colours are all legacy ones in
// sRGB, any others in Oklab.
enum class ColorNotation {
    kLegacy,  // hex digits, a name, "transparent", rgb(), rgba(), hsl(), hsla(), hwb()
    kModern,  // lab(), lch(), oklab(), oklch(), color()
};

struct CssColorReading {
    std::optional<CssColor> color;
    CssColorError error;  // where and why the text is no colour, when `color` is empty
    ColorNotation notation = ColorNotation::kLegacy;
};

// One CSS Color 4 <color>, blanks around it allowed: #rgb, #rgba, #rrggbb, #rrggbbaa, the
// named colours and "transparent", rgb()/rgba(), hsl()/hsla() in the modern and the
// legacy comma syntax, hwb(), lab(), lch(), oklab(), oklch() and color() with the spaces
// srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, xyz, xyz-d50 and
// xyz-d65, with "none", percentages and the angle units deg, grad, rad and turn. Names,
// functions and units in any letter case. Values beyond their range are clamped where CSS
// clamps them (rgb channels, alpha, negative saturation, Lab and Oklab lightness, negative
// chroma) and otherwise kept; colours beyond sRGB keep channels beyond 0..1. Components
// given as "none" are noted in `missing`.
CssColorReading ReadCssColor(std::string_view text, HexHash hash = HexHash::kRequired);

enum class MessageLanguage { kEnglish, kGerman };

// "expected a number or a percentage at character 9", for the command line, or its German
// form for the window.
std::string DescribeCssError(const CssColorError& error, MessageLanguage language);

// Whether the colour has no transparency at all.
bool IsOpaque(const CssColor& color);

// The colour brought into sRGB as the colour modes bring their blends: unchanged inside the
// gamut, by the CSS gamut mapping outside it. Channels 0..255, unrounded; alpha is ignored.
RgbTriple MapIntoSrgb(const CssColor& color);
// The same for many colours at once, several times faster where many lie outside the
// gamut: `mapped[i]` is exactly MapIntoSrgb(colors[i]). Spans of unequal length are
// mapped as far as the shorter one reaches.
void MapIntoSrgb(std::span<const CssColor> colors, std::span<RgbTriple> mapped);
// The same, each channel rounded to the nearest level, ties to even.
ColorValue ToColorValue(const CssColor& color);

// An opaque colour for a place that takes no transparency (a swatch, a stored colour key):
// the colour value, or why the text gives none, in the language asked for.
struct OpaqueColorReading {
    std::optional<ColorValue> color;
    std::string problem;
};
OpaqueColorReading ReadOpaqueColor(std::string_view text, HexHash hash, MessageLanguage language);

}  // namespace tonzug
