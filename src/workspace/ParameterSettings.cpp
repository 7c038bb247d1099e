#include "workspace/ParameterSettings.h"

#include <optional>
#include <type_traits>
#include <vector>

#include "support/Numbers.h"
#include "support/TextHelpers.h"
#include "web/CssGradientReader.h"
#include "web/EasingText.h"
#include "workspace/ParameterKeys.h"

namespace tonzug {
namespace {

std::string KeyList() {
    std::vector<std::string> keys;
    for (const ParameterKey& row : kParameterKeys) {
        keys.emplace_back(row.key);
    }
    return JoinNames(keys, " or ");
}

// Why the key's control does not take the value, for the message; empty when it does.
std::optional<std::string> Refusal(const ParameterForm& form, const ParameterKey& row,
                                   std::string_view value) {
    switch (row.rule) {
        case ValueRule::kColor:
        case ValueRule::kColorOrKeep: {
            const OpaqueColorReading reading = ColorFromText(value);
            if (reading.color) {
                return std::nullopt;
            }
            return reading.problem;
        }
        case ValueRule::kNumber:
        case ValueRule::kSize:
            if (TextToSingle(value)) {
                return std::nullopt;
            }
            return "expected a number";
        case ValueRule::kWholeNumber:
        case ValueRule::kDerived:
            if (TextToInt32(value)) {
                return std::nullopt;
            }
            return "expected a whole number from -2147483648 to 2147483647";
        case ValueRule::kIndex: {
            if (IndexFromText(form, row, value)) {
                return std::nullopt;
            }
            const std::int32_t count = IndexCount(form, row);
            return count == 2 ? "expected 0 or 1" : "expected 0 to " + std::to_string(count - 1);
        }
        case ValueRule::kBitDepth:
            if (IndexFromText(form, row, value)) {
                return std::nullopt;
            }
            return "expected 8 or 16";
        case ValueRule::kGradient: {
            if (value.empty()) {
                return std::nullopt;
            }
            const CssGradientReading reading = ReadCssGradient(value);
            if (reading.gradient) {
                return std::nullopt;
            }
            return DescribeCssGradientError(reading.error, MessageLanguage::kEnglish);
        }
        case ValueRule::kEasing:
            if (IsEasingText(value)) {
                return std::nullopt;
            }
            return "expected linear, curved, sine, sphere-increasing, sphere-decreasing or step, "
                   "one a segment, separated by commas";
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
    if (const std::optional<std::string> refusal = Refusal(form, *row, value)) {
        error = "invalid value '" + std::string(value) + "' for " + std::string(row->key) + " (" +
                *refusal + ")";
        return false;
    }
    std::visit(
        [&form, value, row](auto ParameterForm::*control) {
            using Control = std::remove_reference_t<decltype(form.*control)>;
            if constexpr (std::is_same_v<Control, TextField>) {
                (form.*control).SetText(std::string(value));
            } else if constexpr (std::is_same_v<Control, ColorSwatch>) {
                (form.*control).SetColor(*ColorFromText(value).color);
            } else if constexpr (std::is_same_v<Control, CheckBox>) {
                (form.*control).SetValue(*IndexFromText(form, *row, value));
            } else {
                (form.*control).Select(*IndexFromText(form, *row, value));
            }
        },
        row->control);
    return true;
}

}  // namespace tonzug
