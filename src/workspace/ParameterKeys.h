#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "color/CssColor.h"
#include "workspace/ParameterForm.h"

namespace tonzug {

// How a key's value is read: from a file, from the defaults, and from the command line.
enum class ValueRule {
    // A colour value, decimal, or an opaque CSS colour. From a file 0 when missing.
    kColor,
    // Likewise, but a missing value or one that is no colour keeps the current colour.
    kColorOrKeep,
    // A field holding a number. From a file the leading integer (0 when missing); on the
    // command line any number.
    kNumber,
    // Likewise, a size in pixels: from a file a value below 1 counts as not valid and reads
    // as 1. The command line leaves such a size to the export, which reports it.
    kSize,
    // Likewise, but on the command line a whole 32-bit number.
    kWholeNumber,
    // Written for information only: recomputed from the others, never read from a file.
    kDerived,
    // A switch or option index; from a file narrowed to 16 bits, a refused index skipped.
    kIndex,
    // The colour depth, written as its bits (8 or 16) and held as the option index 0 or 1;
    // from a file any other value, or none, reads as 8.
    kBitDepth,
    // A free gradient as CSS text, or nothing for the classic gradient; missing or not a
    // gradient, it reads as nothing.
    kGradient,
    // The easing of the free gradient's segments (see web/EasingText.h); missing or not
    // such a list, it reads as nothing.
    kEasing,
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
    ParameterKey{"X", &ParameterForm::txtX, "25", ValueRule::kSize},
    ParameterKey{"Y", &ParameterForm::txtY, "256", ValueRule::kSize},
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
    ParameterKey{"GRADIENT", &ParameterForm::txtGradient, "", ValueRule::kGradient},
    ParameterKey{"EASING", &ParameterForm::txtEasing, "", ValueRule::kEasing},
};

// The row of a key, letter case ignored.
const ParameterKey* FindParameterKey(std::string_view key);

// The control's value as a file holds it: a field's text unchanged, the rest as decimal text.
std::string ControlText(const ParameterForm& form, const ParameterKey& row);

// Whether a value from a file went into its control as it stands.
enum class ValueCheck { kValid, kReplaced };

// Writes one value read from a file into its control, with all its change handling. A missing
// value reads as it always did (0, 8 bits, the current middle colour). A value that is not
// valid for its key (no number, no colour, an index without a button, a size below 1) is
// replaced, and the result says so: a size by 1, a number with trailing text by its leading
// integer, anything else by the key's default (the middle colour stays as it was).
ValueCheck ReadIntoControl(ParameterForm& form, const ParameterKey& row,
                           std::optional<std::string_view> value);

// Puts every key's default into its control without running any change handling: the
// controls' contents before the first load.
void InitialiseControls(ParameterForm& form);

// The option index of a colour depth written as its bits: 8 gives 0, 16 gives 1.
std::optional<std::int32_t> DepthIndex(std::string_view bits);

// How many indexes a switch (2) or option key has.
std::int32_t IndexCount(const ParameterForm& form, const ParameterKey& row);
// The index that a switch or option key's value selects, when it has a button; the colour
// depth from its bits.
std::optional<std::int32_t> IndexFromText(const ParameterForm& form, const ParameterKey& row,
                                          std::string_view text);

// A plain decimal 32-bit integer, the whole text.
std::optional<std::int32_t> DecimalInteger(std::string_view text);
// A colour as the colour keys take it, the whole text: a decimal colour value (plain, or a
// system colour this desktop knows) or an opaque CSS colour; else why not, in English.
OpaqueColorReading ColorFromText(std::string_view text);

// "X, Y and OPT": names for a message, the last two joined by `lastJoin` (" and ").
std::string JoinNames(const std::vector<std::string>& names, std::string_view lastJoin);

}  // namespace tonzug
