#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "render/BlueNoiseMask.h"
#include "render/RampLine.h"
#include "render/Raster16.h"

namespace tonzug {

// How the renderer turns the unrounded colours of the ramp into output pixels, at the very
// end and only there.
enum class OutputFormat {
    kPlain8,     // 8 bits, each step's colour as the ramp rounds it
    kDithered8,  // 8 bits, ordered dither with the blue-noise mask
    kDeep16,     // 16 bits per channel: round(v x 257)
};

// Whether a picture keeps transparency. An opaque one is RGB (0xFFRRGGBB words), its
// transparent colours laid over white; a straight one adds alpha (0xAARRGGBB words, or
// Rgba16), its colours not multiplied by it.
enum class PictureAlpha { kOpaque, kStraight };

// round(v x 257), ties to even, for v in 0..255: a whole v gives v x 257, whose high byte
// is v.
inline std::uint16_t DeepChannel(double v) {
    return static_cast<std::uint16_t>(std::nearbyint(std::clamp(v, 0.0, 255.0) * 257.0));
}
inline Rgb16 DeepOf(const ExactColor& exact) {
    return {DeepChannel(exact.red), DeepChannel(exact.green), DeepChannel(exact.blue)};
}

// A colour with straight alpha, each 0..255 unrounded; where alpha is 0 the colour is 0.
struct ExactStraight {
    ExactColor color;
    double alpha = 255.0;
};

// A pixel whose alpha came out 0 is 0 in every channel, whatever its colour was, as
// premultiplied storage keeps it.
inline std::uint32_t StraightWord(std::uint32_t colorWord, std::uint32_t alphaLevel) {
    return alphaLevel == 0 ? 0u : (alphaLevel << 24) | (colorWord & 0x00FFFFFFu);
}
inline Rgba16 DeepStraightOf(const ExactStraight& exact) {
    const std::uint16_t alpha = DeepChannel(exact.alpha);
    if (alpha == 0) {
        return {};
    }
    const Rgb16 color = DeepOf(exact.color);
    return {color.red, color.green, color.blue, alpha};
}

// One colour prepared for dithering. A channel v shows floor(v + t) with the threshold
// t = (rank + 1/2) / 4096 of the pixel's mask rank: floor(v), or floor(v) + 1 where the
// rank reaches the channel's lift rank. So only the two levels either side of v occur, a
// whole v never changes (its lift rank is 4096, beyond every rank), and over the 4096
// ranks the share of lifted pixels is the fraction of v within 1/8192.
struct DitherLevels {
    std::uint32_t lowWord = 0;               // 0xFFRRGGBB of the floors
    std::array<std::int32_t, 3> liftRank{};  // red, green, blue
};

inline std::int32_t LiftRank(double fraction) {
    // rank + 1/2 >= 4096 (1 - fraction)
    const double rank = std::ceil(static_cast<double>(kBlueNoiseCells) * (1.0 - fraction) - 0.5);
    return static_cast<std::int32_t>(std::clamp(rank, 0.0, static_cast<double>(kBlueNoiseCells)));
}

inline DitherLevels DitherLevelsOf(const ExactColor& exact) {
    DitherLevels levels;
    levels.lowWord = 0xFF000000u;
    const std::array<double, 3> channels = {exact.red, exact.green, exact.blue};
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const double v = std::clamp(channels[i], 0.0, 255.0);
        const double floor = std::floor(v);
        levels.lowWord |= static_cast<std::uint32_t>(floor) << (16 - 8 * i);
        levels.liftRank[i] = LiftRank(v - floor);
    }
    return levels;
}

// The dithered word at a pixel of mask rank `rank`. A lifted channel is below 255, so the
// sum never carries into the next channel.
inline std::uint32_t DitheredWord(const DitherLevels& levels, std::int32_t rank) {
    return levels.lowWord + (static_cast<std::uint32_t>(rank >= levels.liftRank[0]) << 16) +
           (static_cast<std::uint32_t>(rank >= levels.liftRank[1]) << 8) +
           static_cast<std::uint32_t>(rank >= levels.liftRank[2]);
}

// The rank alpha is dithered with at a pixel of mask rank `rank`: the mirrored one. A
// channel with a small fraction lifts the highest ranks, so alpha lifts the lowest and the
// two rarely lift one pixel together: laid over any background, the errors of colour and
// alpha then neither pile up nor cancel on one pixel, whether the background is darker or
// lighter. A rank's prefix is spread as evenly as its suffix, so alpha keeps blue noise
// (a rank shifted round the 4096 would lift a middle interval of ranks, which is not).
inline std::int32_t AlphaRank(std::int32_t rank) {
    return kBlueNoiseCells - 1 - rank;
}

// The dithered alpha level 0..255 of alpha `alpha` (0..255) at a pixel of mask rank `rank`.
inline std::uint32_t DitheredAlpha(double alpha, std::int32_t rank) {
    const double v = std::clamp(alpha, 0.0, 255.0);
    const double floor = std::floor(v);
    return static_cast<std::uint32_t>(floor) +
           static_cast<std::uint32_t>(AlphaRank(rank) >= LiftRank(v - floor));
}

}  // namespace tonzug
