#include "workspace/ParameterFiles.h"

#include <functional>
#include <optional>

#include "support/IniFile.h"
#include "workspace/ParameterKeys.h"

namespace tonzug {
namespace {

using ValueOfKey = std::function<std::optional<std::string_view>(const ParameterKey&)>;

// Writes a whole set, each value running its change handling, and gives the keys whose values
// were replaced. The orientation goes first: written last, it would leave the band widths to
// be clamped against the old orientation's length, cutting a loaded horizontal band of 50 to a
// third of the old vertical height.
std::vector<std::string> ApplySet(ParameterForm& form, const ValueOfKey& valueOf) {
    const ParameterKey& orientation = *FindParameterKey("OPT");
    const bool orientationReplaced =
        ReadIntoControl(form, orientation, valueOf(orientation)) == ValueCheck::kReplaced;
    std::vector<std::string> replaced;
    for (const ParameterKey& row : kParameterKeys) {
        if (&row == &orientation) {
            if (orientationReplaced) {
                replaced.emplace_back(row.key);
            }
            continue;
        }
        // The slider follows the percent once the fields are in.
        if (row.key == "MDCOL") {
            form.MidTextToSlider();
        }
        if (ReadIntoControl(form, row, valueOf(row)) == ValueCheck::kReplaced) {
            replaced.emplace_back(row.key);
        }
    }
    return replaced;
}

}  // namespace

void LoadDefaults(ParameterForm& form) {
    ApplySet(form, [](const ParameterKey& row) { return row.defaultValue; });
}

LoadResult LoadParameters(ParameterForm& form, const std::string& file) {
    IniDocument document;
    if (!document.Load(file)) {
        if (document.LoadProblem().empty()) {
            return {"No such file or directory"};
        }
        return {document.LoadProblem(), true};
    }
    const std::optional<IniSection> section = document.Section(kParameterSection);
    if (!section) {
        return {"no section [" + std::string(kParameterSection) + "]: not a parameter file"};
    }
    LoadResult result;
    result.replacedKeys =
        ApplySet(form, [&section](const ParameterKey& row) { return section->Get(row.key); });
    return result;
}

std::string ReplacedValuesNote(const LoadResult& result) {
    if (result.replacedKeys.empty()) {
        return {};
    }
    return "values not valid for " + JoinNames(result.replacedKeys, " and ") +
           ", replaced by the nearest valid value or the default";
}

bool SaveParameters(const ParameterForm& form, const std::string& file) {
    IniDocument document;
    document.Load(file);
    for (const ParameterKey& row : kParameterKeys) {
        document.Set(kParameterSection, row.key, ControlText(form, row));
    }
    return document.Save(file);
}

}  // namespace tonzug
