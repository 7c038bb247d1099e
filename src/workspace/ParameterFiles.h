#pragma once

#include <string>

#include "workspace/ParameterForm.h"

namespace tonzug {

// The section that holds the parameter set, in the settings file and in parameter files.
inline constexpr const char* kParameterSection = "LAST";

// Puts the default set into the controls; each write runs its change handling.
void LoadDefaults(ParameterForm& form);

// Reads the set from a settings or parameter file into the controls, in the order that
// lets the orientation's change handling bring the middle position in step last. A
// missing file, section or key reads as 0; a missing middle colour keeps the current one.
void LoadParameters(ParameterForm& form, const std::string& file);

// Writes the thirteen keys in one atomic save. False when the file cannot be written.
bool SaveParameters(const ParameterForm& form, const std::string& file);

}  // namespace tonzug
