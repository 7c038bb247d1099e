#include "colordlg/HslField.h"

#include <array>
#include <charconv>
#include <vector>

#include "color/FieldRamps.h"
#include "support/Numbers.h"

namespace tonzug {
namespace {

constexpr float kScale = 240.0f;

std::vector<ColorValue> RampFor(HslComponent component, double first, double second,
                                std::int32_t bands) {
    switch (component) {
        case HslComponent::kHue:
            return FieldRampHue(first, second, bands);
        case HslComponent::kSaturation:
            return FieldRampSat(first, second, bands);
        case HslComponent::kLightness:
            return FieldRampLight(first, second, bands);
    }
    return {};
}

}  // namespace

HslField::HslField(HslComponent component, int width, int height)
    : component_(component), picture_(width, height, kWhite) {}

void HslField::Draw(double first, double second) {
    const std::int32_t rows = picture_.Height();
    if (rows <= 0) {
        return;
    }
    const std::vector<ColorValue> ramp = RampFor(component_, first, second, rows);
    if (ramp.size() < static_cast<std::size_t>(rows) + 1) {
        return;
    }
    const float width = picture_.ScaleWidth();
    for (std::int32_t row = 0; row < rows; ++row) {
        const auto top = static_cast<float>(row);
        picture_.FillBox(0.0f, top, width, top + 1.0f, ramp[static_cast<std::size_t>(row) + 1]);
    }
    Raise();
}

void HslField::PlaceMarker(std::int32_t value) {
    const float top =
        static_cast<float>(value) * picture_.ScaleHeight() / kScale - kMarkerHeight / 2.0f;
    if (top != markerTop_) {
        markerTop_ = top;
        Raise();
    }
}

float HslField::ValueFromY(float y) const {
    const float height = picture_.ScaleHeight();
    return height > 0.0f ? kScale / height * y : 0.0f;
}

std::string FieldValueText(float value) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::general, 7);
    if (error != std::errc{}) {
        return "0";
    }
    std::string text(buffer.data(), end);
    const char point = UserNumberFormat().decimalPoint;
    for (char& c : text) {
        if (c == '.') {
            c = point;
        }
    }
    return text;
}

}  // namespace tonzug
