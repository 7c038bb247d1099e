#pragma once

#include <cstdint>
#include <span>

#include "color/ColorValue.h"
#include "render/RampLine.h"

namespace tonzug {

// The colours of a gradient by position along it, as the renderer joins them to a shape
// (render/GradientShape.h). Positions are whole units of the line: a colour ramp's unit is
// one step, position 1 at the start side; a line that blends continuously picks a unit
// fine enough for the pixels it is drawn on.
class ColorLine {
  public:
    virtual ~ColorLine() = default;

    // The colour at `position`.
    virtual ColorValue At(std::int64_t position) const = 0;

    // The same colour before its channels were rounded, for outputs finer than 8 bits.
    virtual ExactColor Exact(std::int64_t position) const = 0;

    // The colours at `positions` into `colors` (as far as both reach), each what At gives.
    // Lines whose colours cost a gamut mapping work them out together, several times
    // faster than one by one.
    virtual void AtEach(std::span<const std::int64_t> positions,
                        std::span<ColorValue> colors) const;
};

}  // namespace tonzug
