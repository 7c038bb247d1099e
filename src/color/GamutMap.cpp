#include "color/GamutMap.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "color/OklabMath.h"

namespace tonzug {
namespace {

constexpr double kJustNoticeable = 0.02;  // deltaEOK
constexpr double kChromaEpsilon = 0.0001;
// The search compares squared distances, so that it takes no square root per step.
constexpr double kJustNoticeableSquared = kJustNoticeable * kJustNoticeable;
constexpr double kCloseEnoughSquared =
    (kJustNoticeable - kChromaEpsilon) * (kJustNoticeable - kChromaEpsilon);

// Colours searched side by side. One search is a chain of a dozen dependent steps, each
// with three cube roots, which leaves the processor waiting; several interleaved keep it
// busy, and the compiler works their arithmetic in vector registers. A lane computes
// exactly what a lone search does.
constexpr std::size_t kWideLanes = 16;
constexpr std::size_t kIdle = std::numeric_limits<std::size_t>::max();

// Without short cuts, so that lanes test it side by side.
bool InGamut(const LinearRgb& c) {
    const bool redInside = (c.red >= 0.0) & (c.red <= 1.0);
    const bool greenInside = (c.green >= 0.0) & (c.green <= 1.0);
    const bool blueInside = (c.blue >= 0.0) & (c.blue <= 1.0);
    return redInside & greenInside & blueInside;
}

// Clipping happens in linear light: the transfer function maps 0 to 0 and 1 to 1 and is
// monotonic, so clipping before or after it gives the same colour, and the search needs
// no power function per step. NaN becomes 0.
double ClipChannel(double value) {
    const double belowOne = value > 0.0 ? value : 0.0;
    return value > 1.0 ? 1.0 : belowOne;
}

template <std::size_t kLanes>
using Lanes = std::array<double, kLanes>;

// Flags are held as doubles, 1 or 0, so that every array of a lane has the same width and
// the compiler can work the lanes in vector registers.
constexpr double kYes = 1.0;
constexpr double kNo = 0.0;

// The searches in progress, one per lane: a colour of fixed lightness and hue whose
// chroma is bisected. An idle lane holds a grey, so its arithmetic stays harmless.
template <std::size_t kLanes>
struct Searches {
    Lanes<kLanes> lightness{};
    Lanes<kLanes> directionA{};  // the hue as a unit vector in the a-b plane
    Lanes<kLanes> directionB{};
    Lanes<kLanes> chroma{};  // probed next
    Lanes<kLanes> minChroma{};
    Lanes<kLanes> maxChroma{};
    Lanes<kLanes> clippedRed{};  // the answer so far, linear light
    Lanes<kLanes> clippedGreen{};
    Lanes<kLanes> clippedBlue{};
    Lanes<kLanes> minInGamut{};
    Lanes<kLanes> firstProbe{};
    Lanes<kLanes> settled{};
    std::array<std::size_t, kLanes> sample{};

    Searches() {
        sample.fill(kIdle);
        lightness.fill(0.5);
    }
};

// One step of every lane's search: the colour at the lane's chroma is clipped and
// compared with itself, and the bounds move. A lane whose colour is found is marked
// settled, with its answer in clipped*.
template <std::size_t kLanes>
void Step(Searches<kLanes>& s) {
    using namespace oklab_math;
    for (std::size_t lane = 0; lane < kLanes; ++lane) {
        const double chroma = s.chroma[lane];
        const OklabColor current{s.lightness[lane], chroma * s.directionA[lane],
                                 chroma * s.directionB[lane]};
        const LinearRgb linear = LinearRgbOf(current);
        const LinearRgb clipped{ClipChannel(linear.red), ClipChannel(linear.green),
                                ClipChannel(linear.blue)};
        Vector3 cones = LinearRgbToLms(clipped);
        for (double& cone : cones) {
            cone = DivisionFreeCubeRoot(cone);
        }
        const OklabColor clippedLab = OklabOfRootCones(cones);
        const double dL = clippedLab.lightness - current.lightness;
        const double da = clippedLab.a - current.a;
        const double db = clippedLab.b - current.b;
        const double distanceSquared = dL * dL + da * da + db * db;

        // The first probe is the colour itself: when clipping changes it too little to
        // see, that is the answer. Later, while every smaller chroma seen lay inside, one
        // more inside only raises the lower bound. Otherwise a clipped colour too far off
        // lowers the upper bound, one close enough raises the lower bound, and one
        // within the epsilon of the limit is the answer.
        // Bitwise, not short-circuit, operators keep the lanes free of branches.
        const bool first = s.firstProbe[lane] != kNo;
        const bool insideAbove = !first & (s.minInGamut[lane] != kNo) & InGamut(linear);
        const bool clips = !insideAbove;
        const bool noticeable = !(distanceSquared < kJustNoticeableSquared);
        const bool raisesMin = insideAbove | (!first & !noticeable);
        const bool lowersMax = !first & clips & noticeable;
        const bool found = (first & !noticeable) |
                           (!first & clips & !noticeable & (distanceSquared > kCloseEnoughSquared));
        s.clippedRed[lane] = clips ? clipped.red : s.clippedRed[lane];
        s.clippedGreen[lane] = clips ? clipped.green : s.clippedGreen[lane];
        s.clippedBlue[lane] = clips ? clipped.blue : s.clippedBlue[lane];
        const double minChroma = raisesMin ? chroma : s.minChroma[lane];
        const double maxChroma = lowersMax ? chroma : s.maxChroma[lane];
        s.minChroma[lane] = minChroma;
        s.maxChroma[lane] = maxChroma;
        s.minInGamut[lane] =
            (s.minInGamut[lane] != kNo) & (first | insideAbove | noticeable) ? kYes : kNo;
        s.firstProbe[lane] = kNo;
        s.settled[lane] = found | !(maxChroma - minChroma > kChromaEpsilon) ? kYes : kNo;
        s.chroma[lane] = (minChroma + maxChroma) / 2.0;
    }
}

// Starts the search for `color` (lightness inside 0..1, outside sRGB) in `lane`.
template <std::size_t kLanes>
void Begin(Searches<kLanes>& s, std::size_t lane, std::size_t sample, const OklabColor& color) {
    const double chroma = std::sqrt(color.a * color.a + color.b * color.b);
    const bool hasHue = chroma > kAchromaticChroma;
    s.sample[lane] = sample;
    s.lightness[lane] = color.lightness;
    s.directionA[lane] = hasHue ? color.a / chroma : 0.0;
    s.directionB[lane] = hasHue ? color.b / chroma : 0.0;
    s.chroma[lane] = chroma;
    s.minChroma[lane] = 0.0;
    s.maxChroma[lane] = chroma;
    s.minInGamut[lane] = kYes;
    s.firstProbe[lane] = kYes;
}

template <std::size_t kLanes>
void Stop(Searches<kLanes>& s, std::size_t lane) {
    s.sample[lane] = kIdle;
    s.lightness[lane] = 0.5;
    s.directionA[lane] = 0.0;
    s.directionB[lane] = 0.0;
    s.chroma[lane] = 0.0;
}

// What a colour takes to map.
enum class Need : std::uint8_t {
    kWhite,     // lightness at or beyond white
    kBlack,     // lightness at or below black, or no number
    kEncoding,  // inside sRGB already
    kSearch,
};

// Maps up to kChunk colours; `mapped` holds linear light until the last pass.
template <std::size_t kLanes, std::size_t kChunk>
void MapChunk(std::span<const OklabColor> colors, std::span<RgbTriple> mapped) {
    std::array<Need, kChunk> needs;
    const std::size_t count = std::min(colors.size(), kChunk);
    for (std::size_t i = 0; i < count; ++i) {
        const OklabColor& color = colors[i];
        const LinearRgb linear = oklab_math::LinearRgbOf(color);
        mapped[i] = {linear.red, linear.green, linear.blue};
        if (color.lightness >= 1.0) {
            needs[i] = Need::kWhite;
        } else if (!(color.lightness > 0.0)) {  // NaN too: black rather than garbage
            needs[i] = Need::kBlack;
        } else {
            needs[i] = InGamut(linear) ? Need::kEncoding : Need::kSearch;
        }
    }
    Searches<kLanes> searches;
    std::size_t next = 0;
    const auto takeNext = [&]() -> std::size_t {
        while (next < count && needs[next] != Need::kSearch) {
            ++next;
        }
        return next < count ? next++ : kIdle;
    };
    std::size_t busy = 0;
    for (std::size_t lane = 0; lane < kLanes; ++lane) {
        const std::size_t sample = takeNext();
        if (sample == kIdle) {
            break;
        }
        Begin(searches, lane, sample, colors[sample]);
        ++busy;
    }
    while (busy > 0) {
        Step(searches);
        for (std::size_t lane = 0; lane < kLanes; ++lane) {
            if (searches.settled[lane] == kNo || searches.sample[lane] == kIdle) {
                continue;
            }
            mapped[searches.sample[lane]] = {searches.clippedRed[lane], searches.clippedGreen[lane],
                                             searches.clippedBlue[lane]};
            const std::size_t sample = takeNext();
            if (sample == kIdle) {
                Stop(searches, lane);
                --busy;
            } else {
                Begin(searches, lane, sample, colors[sample]);
            }
        }
    }
    constexpr double kChannelMax = 255.0;
    for (std::size_t i = 0; i < count; ++i) {
        const RgbTriple encoded{oklab_math::EncodeSrgb(mapped[i].red) * kChannelMax,
                                oklab_math::EncodeSrgb(mapped[i].green) * kChannelMax,
                                oklab_math::EncodeSrgb(mapped[i].blue) * kChannelMax};
        const double shortCut = needs[i] == Need::kWhite ? kChannelMax : 0.0;
        const bool encodes = needs[i] == Need::kEncoding || needs[i] == Need::kSearch;
        mapped[i] = {encodes ? encoded.red : shortCut, encodes ? encoded.green : shortCut,
                     encodes ? encoded.blue : shortCut};
    }
}

// Chunks of colours: their bookkeeping stays on the stack and in the cache.
constexpr std::size_t kWideChunk = 256;

// Compiled for processors with AVX-512 (eight lanes to a register), with AVX2 (four) and
// for any x86-64 (two); the lanes compute the same either way, as nothing is contracted
// into fused multiply-adds.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("arch=x86-64-v4", "avx2", "default"), flatten))
#endif
void MapWide(std::span<const OklabColor> colors, std::span<RgbTriple> mapped) {
    for (std::size_t first = 0; first < colors.size(); first += kWideChunk) {
        const std::size_t count = std::min(kWideChunk, colors.size() - first);
        MapChunk<kWideLanes, kWideChunk>(colors.subspan(first, count),
                                         mapped.subspan(first, count));
    }
}

}  // namespace

void GamutMapToSrgb(std::span<const OklabColor> colors, std::span<RgbTriple> mapped) {
    const std::size_t count = std::min(colors.size(), mapped.size());
    MapWide(colors.first(count), mapped.first(count));
}

RgbTriple GamutMapToSrgb(const OklabColor& color) {
    RgbTriple mapped;
    MapChunk<1, 1>(std::span<const OklabColor>(&color, 1), std::span<RgbTriple>(&mapped, 1));
    return mapped;
}

}  // namespace tonzug
