#pragma once

#include <optional>

#include "render/FreeGradient.h"
#include "render/GradientParams.h"
#include "workspace/ParameterForm.h"

// The window edits every gradient as a free one. A classic gradient is shown as the free
// gradient that draws it, and an edit that the classic fields can still hold goes back into
// them, so that a classic parameter set stays classic as long as it can.
namespace tonzug {

// Whether the form holds a free gradient ("GRADIENT" not empty and readable).
bool HoldsFreeGradient(const ParameterForm& form);

// The free gradient that draws the classic gradient of `params` (as the export reads them,
// the middle switch applied): the colours and bands as stops at the pixels where the classic
// renderer puts them, at the size the parameters hold.
FreeGradient ClassicAsFree(const GradientParams& params);

// The gradient the window edits: the form's free gradient, or its classic one converted.
FreeGradient EditedGradient(const ParameterForm& form);

// The classic fields that draw `gradient` exactly at the size of `current`, when they can:
// two or three colours (bands as one colour at two places) at places the classic layout
// gives, opaque, straight segments, to the right, down or a centred circle, blended in
// sRGB, HSL, Oklab or OkLCh, not repeating. Fields that do not shape such a picture (the
// bands of a plain two-colour gradient, a direct hue path that goes the same way) keep
// what `current` holds, so a classic set turned free and back is the same set.
std::optional<GradientParams> ClassicFormOf(const FreeGradient& gradient,
                                            const GradientParams& current);

// Writes the classic fields for the form's free gradient and clears "GRADIENT" and
// "EASING", in one change; false, with nothing changed, when the classic fields cannot
// hold the gradient.
bool TurnClassic(ParameterForm& form);

// Makes the form's gradient free, drawing the same picture.
void TurnFree(ParameterForm& form);

// What every edit of the stops ends in: a classic form stays classic while the classic
// fields can hold the edited gradient; otherwise it becomes the free gradient.
void ApplyEditedGradient(ParameterForm& form, const FreeGradient& gradient);

}  // namespace tonzug
