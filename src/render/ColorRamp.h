#pragma once

#include <cstdint>
#include <memory>

#include "color/ColorValue.h"
#include "color/HuePath.h"
#include "color/PerceptualBlend.h"
#include "render/ClassicColors.h"
#include "render/ColorLine.h"
#include "render/RampLine.h"

namespace tonzug {

// A colour ramp, the colour line of the classic gradients: entries 0..UpperBound(), entry
// i the colour of the i-th step from the start side; entry 0 is never drawn. Entries are
// computed on demand, so a ramp of ten million steps costs no more memory than one of ten.
class ColorRamp : public ColorLine {
  public:
    // N, the highest index; -1 for an empty ramp.
    virtual std::int32_t UpperBound() const = 0;

    // The entry at index; 0 for an index outside 0..N (a fresh ramp holds zeros).
    ColorValue At(std::int64_t index) const override = 0;

    // A blended entry gives the values its builder rounds (ties to even in RGB, halves up
    // in HSL, as At does); an entry that is a colour as given (an end colour, a band, the
    // middle colour) gives its whole channels (black for "no colour").
    ExactColor Exact(std::int64_t index) const override = 0;
};

// The whole channels of a plain colour; black for one with bit 31 set ("no colour").
ExactColor ExactOf(ColorValue color);

// Start to end colour in RGB, evenly (32-bit float arithmetic). The RGB builders raise
// a step count below 2 to 2; one that rounds to no 32-bit integer gives an empty ramp.
std::unique_ptr<ColorRamp> BuildRampTwo(ColorValue start, ColorValue end, float steps);

// Start, middle and end colour in RGB with solid bands and a movable middle.
std::unique_ptr<ColorRamp> BuildRampBands(const ClassicColors& colors, float steps);

// Start to end colour through HSL (64-bit float arithmetic), n steps; empty for n < 0.
// Entry 1 is the start colour as given, unblended. The hue goes
// the chosen way round; kDirect blends it as a plain number.
std::unique_ptr<ColorRamp> BuildRampHsl(ColorValue start, ColorValue end, std::int32_t steps,
                                        HuePath path = HuePath::kDirect);

// The same two ramps blended in Oklab or OkLCh: every entry sits where the RGB builder puts
// it, only the space in which it is blended differs; a result outside sRGB is brought into
// the gamut. With the middle colour off the middle is the space's own halfway point.
std::unique_ptr<ColorRamp> BuildRampPerceptualTwo(ColorValue start, ColorValue end, float steps,
                                                  BlendSpace space, HuePath path);
std::unique_ptr<ColorRamp> BuildRampPerceptualBands(const ClassicColors& colors, float steps,
                                                    BlendSpace space, HuePath path);

// x limited to 0..255 (NaN counts as 0) and rounded, ties to even.
std::int32_t ClampByte(float x);

// The channel of c2 minus the channel of c1, -255..255.
float DiffRed(ColorValue c1, ColorValue c2);
float DiffGreen(ColorValue c1, ColorValue c2);
float DiffBlue(ColorValue c1, ColorValue c2);

}  // namespace tonzug
