#pragma once

#include <string>

#include "web/StopFitter.h"

namespace tonzug {

// Fixed-point text without trailing zeros, independent of the user's locale.
std::string DecimalText(double value, int decimals);

// "#rrggbb" in small letters.
std::string HexColor(const WholeChannels& color);

// A colour with alpha (0..255 each) as attributes: `colorName="#rrggbb"`, and
// `opacityName` when it is not opaque.
std::string PaintAttributes(const char* colorName, const char* opacityName,
                            const WholeChannelArray<kAlphaChannels>& levels);

// ` name="value"`.
std::string Attribute(const char* name, const std::string& value);

// The id of the one gradient a picture defines, and a rectangle over the whole picture
// filled with it.
inline constexpr const char* kGradientId = "tonzug";
std::string FilledRect(int width, int height);

// A complete SVG picture of width x height user units with these definitions and body.
std::string SvgDocument(int width, int height, const std::string& definitions,
                        const std::string& body);

}  // namespace tonzug
