#pragma once

#include <string>
#include <string_view>

#include "workspace/ParameterForm.h"

namespace tonzug {

// Writes one value, named by its key in the settings file (case ignored, blanks around the
// value ignored), into the control that holds it, as a program write with all its change
// handling: a colour as decimal colour value or an opaque CSS colour, a field's number as
// typed, a switch or option as its index.
// False, with a message in `error`, for an unknown key or a value the key cannot take: no
// number for a field, no colour for a swatch, an index without a button.
bool ApplySetting(ParameterForm& form, std::string_view key, std::string_view value,
                  std::string& error);

}  // namespace tonzug
