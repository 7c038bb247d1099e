#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "color/ColorSpaces.h"
#include "color/HuePath.h"
#include "color/Oklab.h"

namespace tonzug {

// The perceptual spaces in which two colours can be blended.
enum class BlendSpace : std::int32_t {
    kOklab,  // lightness, a and b blended
    kOklch,  // lightness, chroma and hue blended, the hue along a HuePath
};

// A blend between two sRGB colours in a perceptual space. The ends are converted once;
// each sample blends at t (0 at `from`, 1 at `to`), maps the result into the sRGB gamut
// the CSS Color 4 way and returns unrounded channels 0..255. At t = 0 and t = 1 the ends
// come back exactly as given. The hue path matters in OkLCh only, where a colour without hue
// (a grey) takes the other end's hue. Cheap to copy; At() is safe to call
// from several threads.
class PerceptualBlend {
  public:
    PerceptualBlend(const RgbTriple& from, const RgbTriple& to, BlendSpace space,
                    HuePath path = HuePath::kDirect);

    RgbTriple At(double t) const;
    // The samples at every t of `ts` into `channels` (as far as both reach), exactly as At
    // gives them but gamut-mapped together, which is several times faster.
    void AtEach(std::span<const double> ts, std::span<RgbTriple> channels) const;

  private:
    // The blend at t before its gamut mapping; nullopt at t = 0 or 1, where the ends are
    // given back as they came.
    std::optional<OklabColor> Blended(double t) const;

    RgbTriple from_;
    RgbTriple to_;
    BlendSpace space_;
    OklabColor fromLab_;
    OklabColor toLab_;
    OklchColor fromLch_;
    OklchColor toLch_;
};

// One sample of a blend, for callers that need a single colour; ramps should keep a
// PerceptualBlend instead, which converts the ends only once.
RgbTriple BlendPerceptual(const RgbTriple& from, const RgbTriple& to, double t, BlendSpace space,
                          HuePath path = HuePath::kDirect);

// A colour value's channels as unrounded channels (a system colour must be translated first).
RgbTriple ChannelsOf(ColorValue color);

}  // namespace tonzug
