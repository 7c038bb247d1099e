#include "workspace/ParameterSettings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "color/ColorValue.h"

namespace tonzug {
namespace {

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

// A plain decimal 32-bit integer, the whole text.
std::optional<std::int32_t> StrictInteger(std::string_view text) {
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

// "#RRGGBB" (hex digits of either case) or a decimal colour value.
std::optional<ColorValue> ColorFromText(std::string_view text) {
    if (text.empty() || text.front() != '#') {
        return StrictInteger(text);
    }
    if (text.size() != 7) {
        return std::nullopt;
    }
    std::uint32_t rgb = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + 1, end, rgb, 16);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return RgbColor(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8), static_cast<int>(rgb));
}

bool Refused(std::string& error, std::string_view key, std::string_view value,
             std::string_view expected) {
    error = "invalid value '" + std::string(value) + "' for " + std::string(key) + " (expected " +
            std::string(expected) + ")";
    return false;
}

}  // namespace

bool ApplySetting(ParameterForm& form, std::string_view key, std::string_view value,
                  std::string& error) {
    const std::string name = UpperCase(key);
    const std::pair<const char*, ColorSwatch*> swatches[] = {
        {"STCOL", &form.colStart}, {"EDCOL", &form.colEnd}, {"MDCOL", &form.colMid}};
    for (const auto& [swatchKey, swatch] : swatches) {
        if (name == swatchKey) {
            const std::optional<ColorValue> color = ColorFromText(value);
            if (!color || !swatch->SetColor(*color)) {
                return Refused(error, name, value, "a colour value or #RRGGBB");
            }
            return true;
        }
    }
    const std::pair<const char*, TextField*> fields[] = {
        {"X", &form.txtX},     {"Y", &form.txtY},     {"MID", &form.txtMid}, {"M", &form.txtM},
        {"MBR", &form.txtMBR}, {"SBR", &form.txtSBR}, {"EBR", &form.txtEBR}};
    for (const auto& [fieldKey, field] : fields) {
        if (name == fieldKey) {
            field->SetText(std::string(value));
            return true;
        }
    }
    const std::optional<std::int32_t> number = StrictInteger(value);
    if (name == "MDCHK") {
        return (number && form.chkMid.SetValue(*number)) || Refused(error, name, value, "0 or 1");
    }
    if (name == "OPT") {
        return (number && form.optV.Select(*number)) || Refused(error, name, value, "0, 1 or 2");
    }
    if (name == "FRB") {
        return (number && form.optF.Select(*number)) || Refused(error, name, value, "0 or 1");
    }
    error = "unknown key '" + std::string(key) +
            "' (expected STCOL, EDCOL, X, Y, MID, M, MBR, SBR, EBR, MDCOL, MDCHK, OPT or FRB)";
    return false;
}

}  // namespace tonzug
