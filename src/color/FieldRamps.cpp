#include "color/FieldRamps.h"

#include <new>

#include "color/ColorSpaces.h"

namespace tonzug {
namespace {

enum class RunningComponent { kHue, kSaturation, kLightness };

constexpr std::int16_t kFieldScale = 240;

std::vector<ColorValue> FieldRamp(RunningComponent running, double first, double second,
                                  std::int32_t n) {
    std::vector<ColorValue> ramp;
    if (n < 0) {
        return ramp;
    }
    try {
        ramp.assign(static_cast<std::size_t>(n) + 1, 0);
    } catch (const std::bad_alloc&) {
        return {};
    }
    if (n == 0) {
        return ramp;
    }
    const double step = static_cast<double>(kFieldScale) / n;
    for (std::int32_t i = 0; i < n; ++i) {
        const double value = i * step;
        ColorValue color = kBlack;
        switch (running) {
            case RunningComponent::kHue:
                color = HslScaledToRgb(value, first, second, kFieldScale);
                break;
            case RunningComponent::kSaturation:
                color = HslScaledToRgb(first, value, second, kFieldScale);
                break;
            case RunningComponent::kLightness:
                color = HslScaledToRgb(first, second, value, kFieldScale);
                break;
        }
        ramp[static_cast<std::size_t>(i) + 1] = color;
    }
    return ramp;
}

}  // namespace

std::vector<ColorValue> FieldRampHue(double saturation, double lightness, std::int32_t n) {
    return FieldRamp(RunningComponent::kHue, saturation, lightness, n);
}

std::vector<ColorValue> FieldRampSat(double hue, double lightness, std::int32_t n) {
    return FieldRamp(RunningComponent::kSaturation, hue, lightness, n);
}

std::vector<ColorValue> FieldRampLight(double hue, double saturation, std::int32_t n) {
    return FieldRamp(RunningComponent::kLightness, hue, saturation, n);
}

}  // namespace tonzug
