#pragma once

#include <optional>
#include <string>

#include "workspace/ParameterForm.h"

namespace tonzug {

// Reads a GIMP gradient file (.ggr) as the form's free gradient: its colour line, drawn to
// the right, goes into "GRADIENT" and "EASING"; the size and the rest stay as they are. Why
// the file gives no gradient, in plain words; nothing for a gradient read.
std::optional<std::string> LoadGimpGradientFile(const std::string& path, ParameterForm& form);

}  // namespace tonzug
