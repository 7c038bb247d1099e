#pragma once

#include <optional>
#include <string>

#include "color/CssColor.h"
#include "workspace/ParameterForm.h"

namespace tonzug {

// Reads a GIMP gradient file (.ggr) as the form's free gradient: its colour line, drawn to
// the right, goes into "GRADIENT" and "EASING"; the size and the rest stay as they are. Why
// the file gives no gradient, in plain words (the system's reason, or what is wrong in
// which line in the language asked for); nothing for a gradient read.
std::optional<std::string> LoadGimpGradientFile(const std::string& path, ParameterForm& form,
                                                MessageLanguage language);

}  // namespace tonzug
