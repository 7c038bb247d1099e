#pragma once

#include <string>
#include <string_view>

#include "workspace/ParameterForm.h"

namespace tonzug {

// Writes one value, named by its key in the settings file (case ignored), into the
// control that holds it, as a program write with all its change handling:
//  STCOL, EDCOL, MDCOL  the swatch's colour, decimal or "#RRGGBB";
//  X, Y, MID, M, MBR, SBR, EBR  the field's whole text;
//  MDCHK 0 or 1; OPT 0..2; FRB 0 or 1.
// False, with a message in `error`, for an unknown key or a value the control refuses.
bool ApplySetting(ParameterForm& form, std::string_view key, std::string_view value,
                  std::string& error);

}  // namespace tonzug
