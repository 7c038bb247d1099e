#include "workspace/ParameterKeys.h"

#include <charconv>

#include "support/IniFile.h"
#include "support/Numbers.h"
#include "support/TextHelpers.h"

namespace tonzug {
namespace {

template <class... Visitors>
struct Overloaded : Visitors... {
    using Visitors::operator()...;
};

// A colour written in a file: "#RRGGBB", else the leading integer as for any integer key.
std::optional<ColorValue> ColorFromFile(std::optional<std::string_view> value, ValueRule rule) {
    if (value && !value->empty() && value->front() == '#') {
        if (const std::optional<ColorValue> color = ColorFromText(*value)) {
            return color;
        }
    }
    if (rule == ValueRule::kColor) {
        return IniIntValue(value, 0);
    }
    return TextToInt32(IniStringValue(value, ""));
}

}  // namespace

const ParameterKey* FindParameterKey(std::string_view key) {
    for (const ParameterKey& row : kParameterKeys) {
        if (TextEquals(row.key, key, CompareMode::kIgnoreCase)) {
            return &row;
        }
    }
    return nullptr;
}

std::string ControlText(const ParameterForm& form, const ParameterKey& row) {
    return std::visit(
        Overloaded{
            [&form](ColorSwatch ParameterForm::*swatch) {
                return IntegerText((form.*swatch).Color());
            },
            [&form](TextField ParameterForm::*field) { return (form.*field).Text(); },
            [&form](CheckBox ParameterForm::*check) { return IntegerText((form.*check).Value()); },
            [&form, &row](OptionGroup ParameterForm::*group) {
                const std::int32_t selected = (form.*group).Selected();
                if (row.rule == ValueRule::kBitDepth) {
                    return std::string(selected == 1 ? "16" : "8");
                }
                return IntegerText(selected);
            },
        },
        row.control);
}

void ReadIntoControl(ParameterForm& form, const ParameterKey& row,
                     std::optional<std::string_view> value) {
    if (row.rule == ValueRule::kDerived) {
        return;
    }
    std::visit(
        Overloaded{
            [&](ColorSwatch ParameterForm::*swatch) {
                if (const std::optional<ColorValue> color = ColorFromFile(value, row.rule)) {
                    (form.*swatch).SetColor(*color);
                }
            },
            // The integer as written, so that a size beyond 32 bits is shown as what it
            // is rather than as the largest 32-bit number.
            [&](TextField ParameterForm::*field) {
                (form.*field)
                    .SetText(value ? IniIntegerText(*value).value_or("0") : std::string("0"));
            },
            [&](CheckBox ParameterForm::*check) {
                if (const auto index = NarrowToInt16(IniIntValue(value, 0))) {
                    (form.*check).SetValue(*index);
                }
            },
            [&](OptionGroup ParameterForm::*group) {
                if (row.rule == ValueRule::kBitDepth) {
                    const std::string bits = IntegerText(IniIntValue(value, 8));
                    (form.*group).Select(DepthIndex(bits).value_or(0));
                } else if (const auto index = NarrowToInt16(IniIntValue(value, 0))) {
                    (form.*group).Select(*index);
                }
            },
        },
        row.control);
}

void InitialiseControls(ParameterForm& form) {
    for (const ParameterKey& row : kParameterKeys) {
        std::visit(Overloaded{
                       [&](ColorSwatch ParameterForm::*swatch) {
                           (form.*swatch).SetColor(ColorFromText(row.defaultValue).value_or(0));
                       },
                       [&](TextField ParameterForm::*field) {
                           (form.*field).SetText(std::string(row.defaultValue));
                       },
                       [&](CheckBox ParameterForm::*check) {
                           (form.*check).SetValue(DecimalInteger(row.defaultValue).value_or(0));
                       },
                       [&](OptionGroup ParameterForm::*group) {
                           (form.*group)
                               .Select(row.rule == ValueRule::kBitDepth
                                           ? DepthIndex(row.defaultValue).value_or(0)
                                           : DecimalInteger(row.defaultValue).value_or(0));
                       },
                   },
                   row.control);
    }
}

std::optional<std::int32_t> DepthIndex(std::string_view bits) {
    if (bits == "8") {
        return 0;
    }
    if (bits == "16") {
        return 1;
    }
    return std::nullopt;
}

std::optional<std::int32_t> DecimalInteger(std::string_view text) {
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<ColorValue> ColorFromText(std::string_view text) {
    if (text.empty() || text.front() != '#') {
        return DecimalInteger(text);
    }
    const char* end = text.data() + text.size();
    std::uint32_t rgb = 0;
    const auto [stop, error] = std::from_chars(text.data() + 1, end, rgb, 16);
    if (text.size() != 7 || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return RgbColor(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8), static_cast<int>(rgb));
}

}  // namespace tonzug
