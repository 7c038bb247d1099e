#pragma once

#include "color/ColorValue.h"
#include "workspace/ParameterForm.h"

namespace tonzug {

inline constexpr double kDarkerStep = -2.0;
inline constexpr double kLighterStep = 2.0;

// Scales the lightness of a colour by (1 + percent / 100), keeping hue and saturation.
// Black stays black; a lightness above 1 clamps the channels at 255.
ColorValue ShiftLightness(ColorValue color, double percent);

// The main window's small commands around the swatches and the size fields. Each ends
// in a redraw through the change handling of the swatches and fields it writes.
void ShiftAllLightness(ParameterForm& form, double percent);
void SwapColors(ParameterForm& form);
void SwapWidthAndHeight(ParameterForm& form);
void ResetMiddlePosition(ParameterForm& form);

// A colour from the chooser or from the screen: -1 (cancelled, unreadable) keeps the
// swatch as it is.
void ApplyChosenColor(ColorSwatch& swatch, ColorValue chosen);

}  // namespace tonzug
