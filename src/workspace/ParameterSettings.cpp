#include "workspace/ParameterSettings.h"

#include <optional>
#include <type_traits>

#include "color/SystemColors.h"
#include "support/Numbers.h"
#include "support/TextHelpers.h"
#include "workspace/ParameterKeys.h"

namespace tonzug {
namespace {

// The largest plain colour value, white.
constexpr ColorValue kLargestColorValue = 0xFFFFFF;

// A plain colour 0..0xFFFFFF or a system colour this desktop knows; values in between
// name no colour at all.
bool IsColorValue(ColorValue color) {
    return (color >= 0 && color <= kLargestColorValue) ||
           (IsSystemColor(color) && TranslateColor(color, 0) != kNoColor);
}

std::string KeyList() {
    std::string list;
    for (std::size_t i = 0; i < kParameterKeys.size(); ++i) {
        list += i == 0 ? "" : (i + 1 == kParameterKeys.size() ? " or " : ", ");
        list += kParameterKeys[i].key;
    }
    return list;
}

// What the key's control accepts, for the message; empty when it takes the value.
std::optional<std::string> Refusal(ParameterForm& form, const ParameterKey& row,
                                   std::string_view value) {
    switch (row.rule) {
        case ValueRule::kColor:
        case ValueRule::kColorOrKeep: {
            const std::optional<ColorValue> color = ColorFromText(value);
            if (color && IsColorValue(*color)) {
                return std::nullopt;
            }
            return "a colour value 0 to 16777215 or #RRGGBB";
        }
        case ValueRule::kNumber:
            if (TextToSingle(value)) {
                return std::nullopt;
            }
            return "a number";
        case ValueRule::kWholeNumber:
        case ValueRule::kDerived:
            if (TextToInt32(value)) {
                return std::nullopt;
            }
            return "a whole number from -2147483648 to 2147483647";
        case ValueRule::kIndex: {
            const auto* group = std::get_if<OptionGroup ParameterForm::*>(&row.control);
            const std::int32_t count = group != nullptr ? (form.**group).Count() : 2;
            const std::optional<std::int32_t> index = DecimalInteger(value);
            if (index && *index >= 0 && *index < count) {
                return std::nullopt;
            }
            return count == 2 ? "0 or 1" : "0 to " + std::to_string(count - 1);
        }
        case ValueRule::kBitDepth:
            if (DepthIndex(value)) {
                return std::nullopt;
            }
            return "8 or 16";
    }
    return std::nullopt;
}

}  // namespace

bool ApplySetting(ParameterForm& form, std::string_view key, std::string_view value,
                  std::string& error) {
    const ParameterKey* row = FindParameterKey(key);
    if (row == nullptr) {
        error = "unknown key '" + std::string(key) + "' (expected " + KeyList() + ")";
        return false;
    }
    const std::string trimmed = TrimBlanks(value);
    value = trimmed;
    if (const std::optional<std::string> expected = Refusal(form, *row, value)) {
        error = "invalid value '" + std::string(value) + "' for " + std::string(row->key) +
                " (expected " + *expected + ")";
        return false;
    }
    std::visit(
        [&form, value, row](auto ParameterForm::*control) {
            using Control = std::remove_reference_t<decltype(form.*control)>;
            if constexpr (std::is_same_v<Control, TextField>) {
                (form.*control).SetText(std::string(value));
            } else if constexpr (std::is_same_v<Control, ColorSwatch>) {
                (form.*control).SetColor(*ColorFromText(value));
            } else if constexpr (std::is_same_v<Control, CheckBox>) {
                (form.*control).SetValue(*DecimalInteger(value));
            } else if (row->rule == ValueRule::kBitDepth) {
                (form.*control).Select(*DepthIndex(value));
            } else {
                (form.*control).Select(*DecimalInteger(value));
            }
        },
        row->control);
    return true;
}

}  // namespace tonzug
