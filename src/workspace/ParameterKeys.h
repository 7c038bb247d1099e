#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "workspace/ParameterForm.h"

namespace tonzug {

// How a key's value is read: from a file, from the defaults, and from the command line.
enum class ValueRule {
    // A colour value, decimal or "#RRGGBB". From a file 0 when missing.
    kColor,
    // Likewise, but a missing value or one that is no number keeps the current colour.
    kColorOrKeep,
    // A field holding a number. From a file the leading integer (0 when missing); on the
    // command line any number.
    kNumber,
    // Likewise, but on the command line a whole 32-bit number.
    kWholeNumber,
    // Written for information only: recomputed from the others, never read from a file.
    kDerived,
    // A switch or option index; from a file narrowed to 16 bits, a refused index skipped.
    kIndex,
    // The colour depth, written as its bits (8 or 16) and held as the option index 0 or 1;
    // from a file any other value, or none, reads as 8.
    kBitDepth,
};

using ParameterControl = std::variant<ColorSwatch ParameterForm::*, TextField ParameterForm::*,
                                      CheckBox ParameterForm::*, OptionGroup ParameterForm::*>;

struct ParameterKey {
    std::string_view key;
    ParameterControl control;
    std::string_view defaultValue;  // as written into a file
    ValueRule rule;
};

// The parameter set, once: saving, loading, the defaults and the command line's keys all
// come from this table. Files are written in this order. New keys go at the end; a file
// without them reads them as a missing key.
inline const std::array kParameterKeys = {
    ParameterKey{"STCOL", &ParameterForm::colStart, "16777215", ValueRule::kColor},
    ParameterKey{"EDCOL", &ParameterForm::colEnd, "0", ValueRule::kColor},
    ParameterKey{"X", &ParameterForm::txtX, "25", ValueRule::kNumber},
    ParameterKey{"Y", &ParameterForm::txtY, "256", ValueRule::kNumber},
    ParameterKey{"MID", &ParameterForm::txtMid, "50", ValueRule::kNumber},
    ParameterKey{"M", &ParameterForm::txtM, "128", ValueRule::kDerived},
    ParameterKey{"MBR", &ParameterForm::txtMBR, "1", ValueRule::kWholeNumber},
    ParameterKey{"SBR", &ParameterForm::txtSBR, "1", ValueRule::kWholeNumber},
    ParameterKey{"EBR", &ParameterForm::txtEBR, "1", ValueRule::kWholeNumber},
    ParameterKey{"MDCOL", &ParameterForm::colMid, "16777215", ValueRule::kColorOrKeep},
    ParameterKey{"MDCHK", &ParameterForm::chkMid, "0", ValueRule::kIndex},
    ParameterKey{"OPT", &ParameterForm::optV, "1", ValueRule::kIndex},
    ParameterKey{"FRB", &ParameterForm::optF, "0", ValueRule::kIndex},
    ParameterKey{"HUE", &ParameterForm::optH, "0", ValueRule::kIndex},
    ParameterKey{"DEPTH", &ParameterForm::optDepth, "8", ValueRule::kBitDepth},
    ParameterKey{"DITHER", &ParameterForm::chkDither, "0", ValueRule::kIndex},
};

// The row of a key, letter case ignored.
const ParameterKey* FindParameterKey(std::string_view key);

// The control's value as a file holds it: a field's text unchanged, the rest as decimal text.
std::string ControlText(const ParameterForm& form, const ParameterKey& row);

// Writes one value read from a file (empty when missing) into its control, with all its
// change handling. A value the control refuses skips the step.
void ReadIntoControl(ParameterForm& form, const ParameterKey& row,
                     std::optional<std::string_view> value);

// Puts every key's default into its control without running any change handling: the
// controls' contents before the first load.
void InitialiseControls(ParameterForm& form);

// The option index of a colour depth written as its bits: 8 gives 0, 16 gives 1.
std::optional<std::int32_t> DepthIndex(std::string_view bits);

// A plain decimal 32-bit integer, the whole text.
std::optional<std::int32_t> DecimalInteger(std::string_view text);
// "#RRGGBB" (hex digits of either case) or a plain decimal 32-bit value, the whole text.
std::optional<ColorValue> ColorFromText(std::string_view text);

}  // namespace tonzug
