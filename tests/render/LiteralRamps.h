#pragma once

#include <cstdint>
#include <vector>

#include "color/ColorValue.h"
#include "render/ClassicColors.h"

// Reference ramps for the tests: the array-filling algorithms written out step by step,
// every write in its original order into a vector of N + 1 entries.
namespace tonzug::literal {

// The middle switch as the stored check box gives it.
inline constexpr std::int16_t kMiddleOn = -1;
inline constexpr std::int16_t kMiddleOff = 0;

std::vector<ColorValue> BuildRampTwo(ColorValue start, ColorValue end, float steps);

std::vector<ColorValue> BuildRampBands(ColorValue start, ColorValue end, float steps,
                                       float middlePercent, ColorValue middle,
                                       std::int16_t middleOn, std::int32_t startBand,
                                       std::int32_t middleBand, std::int32_t endBand);

// The same for the colours of a gradient.
inline std::vector<ColorValue> BuildRampBands(const ClassicColors& colors, float steps) {
    return BuildRampBands(colors.start, colors.end, steps, colors.middlePercent, colors.middle,
                          colors.middleOn ? kMiddleOn : kMiddleOff, colors.bands.start,
                          colors.bands.middle, colors.bands.end);
}

void FillRampSection(std::vector<ColorValue>& ramp, std::int64_t from, std::int64_t to,
                     ColorValue c1, ColorValue c2, std::int32_t shift);

std::vector<ColorValue> BuildRampHsl(ColorValue start, ColorValue end, std::int32_t n);

}  // namespace tonzug::literal
