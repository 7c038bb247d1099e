#include "workspace/ParameterKeys.h"

#include <charconv>

#include "color/SystemColors.h"
#include "support/IniFile.h"
#include "support/Numbers.h"
#include "support/TextHelpers.h"
#include "web/CssGradientReader.h"
#include "web/EasingText.h"

namespace tonzug {
namespace {

template <class... Visitors>
struct Overloaded : Visitors... {
    using Visitors::operator()...;
};

// The largest plain colour value, white.
constexpr ColorValue kLargestColorValue = 0xFFFFFF;

// A plain colour 0..0xFFFFFF or a system colour this desktop knows; values in between
// name no colour at all.
bool IsColorValue(ColorValue color) {
    return (color >= 0 && color <= kLargestColorValue) ||
           (IsSystemColor(color) && TranslateColor(color, 0) != kNoColor);
}

// A size below one pixel gives no picture.
constexpr std::string_view kSmallestSize = "1";

bool BelowOne(const std::string& integer) {
    return integer == "0" || integer.front() == '-';
}

// How a present value went in: as it stands, corrected, or not at all (the default goes in).
enum class Outcome { kTaken, kCorrected, kRefused };

Outcome WritePresentValue(ParameterForm& form, const ParameterKey& row, std::string_view value) {
    return std::visit(
        Overloaded{
            [&](ColorSwatch ParameterForm::*swatch) {
                const OpaqueColorReading reading = ColorFromText(value);
                return reading.color && (form.*swatch).SetColor(*reading.color) ? Outcome::kTaken
                                                                                : Outcome::kRefused;
            },
            // The integer as written, so that a size beyond 32 bits is shown as what it is
            // rather than as the largest 32-bit number.
            [&](TextField ParameterForm::*field) {
                if (row.rule == ValueRule::kGradient || row.rule == ValueRule::kEasing) {
                    const bool valid = row.rule == ValueRule::kGradient
                                           ? value.empty() || ReadCssGradient(value).gradient
                                           : IsEasingText(value);
                    (form.*field).SetText(valid ? std::string(value) : std::string());
                    return valid ? Outcome::kTaken : Outcome::kRefused;
                }
                const std::optional<std::string> integer = IniIntegerText(value);
                if (!integer) {
                    return Outcome::kRefused;
                }
                const bool belowOne = row.rule == ValueRule::kSize && BelowOne(*integer);
                (form.*field).SetText(belowOne ? std::string(kSmallestSize) : *integer);
                return ParseUserNumber(value) && !belowOne ? Outcome::kTaken : Outcome::kCorrected;
            },
            [&](CheckBox ParameterForm::*check) {
                const std::optional<std::int32_t> index = IndexFromText(form, row, value);
                return index && (form.*check).SetValue(*index) ? Outcome::kTaken
                                                               : Outcome::kRefused;
            },
            [&](OptionGroup ParameterForm::*group) {
                const std::optional<std::int32_t> index = IndexFromText(form, row, value);
                return index && (form.*group).Select(*index) ? Outcome::kTaken : Outcome::kRefused;
            },
        },
        row.control);
}

// A missing value, read as files have always been read.
void WriteMissingValue(ParameterForm& form, const ParameterKey& row) {
    std::visit(Overloaded{
                   [&](ColorSwatch ParameterForm::*swatch) {
                       if (row.rule == ValueRule::kColor) {
                           (form.*swatch).SetColor(kBlack);
                       }
                   },
                   [&](TextField ParameterForm::*field) {
                       const bool text =
                           row.rule == ValueRule::kGradient || row.rule == ValueRule::kEasing;
                       (form.*field).SetText(text ? "" : "0");
                   },
                   [&](CheckBox ParameterForm::*check) { (form.*check).SetValue(0); },
                   [&](OptionGroup ParameterForm::*group) { (form.*group).Select(0); },
               },
               row.control);
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

ValueCheck ReadIntoControl(ParameterForm& form, const ParameterKey& row,
                           std::optional<std::string_view> value) {
    if (row.rule == ValueRule::kDerived) {
        return ValueCheck::kValid;
    }
    if (!value) {
        WriteMissingValue(form, row);
        return ValueCheck::kValid;
    }
    const Outcome outcome = WritePresentValue(form, row, *value);
    if (outcome == Outcome::kRefused && row.rule != ValueRule::kColorOrKeep) {
        WritePresentValue(form, row, row.defaultValue);
    }
    return outcome == Outcome::kTaken ? ValueCheck::kValid : ValueCheck::kReplaced;
}

void InitialiseControls(ParameterForm& form) {
    for (const ParameterKey& row : kParameterKeys) {
        std::visit(
            Overloaded{
                [&](ColorSwatch ParameterForm::*swatch) {
                    (form.*swatch).SetColor(ColorFromText(row.defaultValue).color.value_or(0));
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

std::int32_t IndexCount(const ParameterForm& form, const ParameterKey& row) {
    const auto* group = std::get_if<OptionGroup ParameterForm::*>(&row.control);
    return group != nullptr ? (form.**group).Count() : 2;
}

std::optional<std::int32_t> IndexFromText(const ParameterForm& form, const ParameterKey& row,
                                          std::string_view text) {
    if (row.rule == ValueRule::kBitDepth) {
        return DepthIndex(text);
    }
    const std::optional<std::int32_t> index = DecimalInteger(text);
    if (!index || *index < 0 || *index >= IndexCount(form, row)) {
        return std::nullopt;
    }
    return index;
}

OpaqueColorReading ColorFromText(std::string_view text) {
    if (const std::optional<std::int32_t> value = DecimalInteger(text)) {
        if (IsColorValue(*value)) {
            return {*value, {}};
        }
        return {std::nullopt, "expected a colour value 0 to 16777215 or a CSS colour"};
    }
    return ReadOpaqueColor(text, HexHash::kRequired, MessageLanguage::kEnglish);
}

std::string JoinNames(const std::vector<std::string>& names, std::string_view lastJoin) {
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            list += i + 1 == names.size() ? lastJoin : ", ";
        }
        list += names[i];
    }
    return list;
}

}  // namespace tonzug
