#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "color/CssColor.h"
#include "render/FreeGradient.h"
#include "workspace/ParameterForm.h"

namespace tonzug {

// Reads a GIMP gradient file (.ggr) as the form's free gradient: its colour line, drawn to
// the right, goes into "GRADIENT" and "EASING"; the size and the rest stay as they are. Why
// the file gives no gradient, in plain words (the system's reason, or what is wrong in
// which line in the language asked for); nothing for a gradient read.
std::optional<std::string> LoadGimpGradientFile(const std::string& path, ParameterForm& form,
                                                MessageLanguage language);

// Makes the gradient the form's free gradient: its CSS text into "GRADIENT", the easing
// CSS cannot say into "EASING", in one change.
void SetFreeGradient(ParameterForm& form, const FreeGradient& gradient);

// Text pasted or dropped on the window: a CSS gradient, or a declaration holding one as
// copied from a style sheet, becomes the form's free gradient. False, with the form as it
// was, for text that holds none.
bool PasteGradientText(ParameterForm& form, std::string_view text);

// A style sheet or other text file dropped on the window, read as PasteGradientText reads
// pasted text. Why it gives no gradient, in plain words; nothing when it did.
std::optional<std::string> LoadGradientTextFile(const std::string& path, ParameterForm& form,
                                                MessageLanguage language);

}  // namespace tonzug
