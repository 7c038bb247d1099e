#pragma once

#include <string>
#include <vector>

#include "workspace/ParameterForm.h"

namespace tonzug {

// The section that holds the parameter set, in the settings file and in parameter files.
inline constexpr const char* kParameterSection = "LAST";

// Puts the default set into the controls; each write runs its change handling.
void LoadDefaults(ParameterForm& form);

// Why a file was not loaded, in plain words; empty when it was.
struct LoadResult {
    std::string problem;
    // The file exists but could not be read or was refused (no regular file, too large):
    // whatever it holds must not be overwritten.
    bool unreadable = false;
    // The keys of a loaded file whose values were not valid and were replaced, in the order
    // in which files are written.
    std::vector<std::string> replacedKeys = {};
    bool Loaded() const { return problem.empty(); }
};

// Reads the set from a settings or parameter file into the controls. The orientation comes
// first, so that the clamps judge the band widths against the size being loaded; then the
// rest in the order of the file. A missing key reads as 0; a missing middle colour keeps the
// current one; values that are not valid are replaced (ReadIntoControl) and listed. A file
// that cannot be read, is refused (no regular file, too large) or has no section "LAST" is no
// parameter file: the controls stay as they were.
LoadResult LoadParameters(ParameterForm& form, const std::string& file);

// For the command line: what a load replaced, in one line ("values not valid for X and OPT,
// ..."); empty when every value was valid.
std::string ReplacedValuesNote(const LoadResult& result);

// Writes the keys in one atomic save. False when the file cannot be written.
bool SaveParameters(const ParameterForm& form, const std::string& file);

}  // namespace tonzug
