#include "render/FreeRenderer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>
#include <span>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "render/BlueNoiseMask.h"
#include "support/Threads.h"

namespace tonzug {
namespace {

// Table entries per pixel of the colour line: between two entries a blend bends so little
// that a straight line through them stays far within a level.
constexpr double kEntriesPerPixel = 4.0;
constexpr std::size_t kMinEntries = 64;
constexpr std::size_t kMaxEntries = std::size_t{1} << 18;
constexpr double kChannelMax = 255.0;
// Positions are worked out for this many pixels of a row at a time.
constexpr int kPositionsAtOnce = 256;
// Table entries worked out together, on any core: enough that their gamut mappings fill the
// vector lanes.
constexpr std::int64_t kEntriesPerPiece = 1024;
// A preview's fine cells per exact cell: a 256th of a pixel, over which a blend bends far
// less than a level.
constexpr std::size_t kFineCellsPerCell = 64;
constexpr std::int32_t kNoFineTable = -1;
// How far, in levels, a fine cell's blend may miss the colour at its middle.
constexpr double kFineBlendMiss = 0.25;
// How far a preview's rough position may lie from the exact one, as a share of the farthest
// position of the box: a few roundings of a float. A cell whose colour changes so fast that this
// moves it by a quarter of a level (a step, the gamut mapping's edge) takes its pixels' exact
// positions.
constexpr double kRoughShare = 1e-6;
constexpr double kRoughMiss = 0.25;
// A preview works out every eighth entry first, and a block of this many cells whose middle entry
// lies within kSmoothBlockMiss of the line between its ends takes the entries between from the two
// lines through the middle one: over a block a colour line that bends evenly misses those by a
// quarter as much, and one that bends at one point by at most twice as much.
constexpr std::size_t kSmoothBlockCells = 16;
constexpr double kSmoothBlockMiss = 0.05;
// Fine cells kept exact on each side of the one that holds a joint, so that a pixel whose cell
// rounding puts one fine cell off still meets no blend across it.
constexpr std::int64_t kFineCellsAroundJoint = 1;

double AlphaOf(const CssColor& color) {
    return std::isfinite(color.alpha) ? std::clamp(color.alpha, 0.0, 1.0) : 0.0;
}

// A colour of the given alpha whose colour brought into sRGB is `mapped`.
ExactStraight StraightOf(double alpha, const RgbTriple& mapped) {
    if (alpha == 0.0) {
        return {{}, 0.0};
    }
    const auto channel = [](double value) {
        return std::isfinite(value) ? std::clamp(value, 0.0, kChannelMax) : 0.0;
    };
    return {{channel(mapped.red), channel(mapped.green), channel(mapped.blue)},
            alpha * kChannelMax};
}

ExactStraight Straight(const CssColor& color) {
    const double alpha = AlphaOf(color);
    return alpha == 0.0 ? ExactStraight{{}, 0.0} : StraightOf(alpha, MapIntoSrgb(color));
}

ExactColor Premultiplied(const ExactStraight& color) {
    const double share = color.alpha / kChannelMax;
    return {color.color.red * share, color.color.green * share, color.color.blue * share};
}

ExactColor LaidOverWhite(const ExactStraight& color) {
    const ExactColor premultiplied = Premultiplied(color);
    const double white = kChannelMax - color.alpha;
    return {premultiplied.red + white, premultiplied.green + white, premultiplied.blue + white};
}

ExactColor Between(const ExactColor& a, const ExactColor& b, double t) {
    return {a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t,
            a.blue + (b.blue - a.blue) * t};
}

// Rounds 0..255 to the nearest whole number, ties to even, as nearbyint does: adding and
// taking away 2^52 leaves no bits for a fraction. Inline, where nearbyint is a library call.
double RoundedLevel(double value) {
    constexpr double kNoFraction = 4503599627370496.0;  // 2^52
    return (std::clamp(value, 0.0, kChannelMax) + kNoFraction) - kNoFraction;
}

std::uint32_t Level(double value) {
    return static_cast<std::uint32_t>(RoundedLevel(value));
}

std::uint32_t PlainWord(const ExactColor& color) {
    return 0xFF000000u | (Level(color.red) << 16) | (Level(color.green) << 8) | Level(color.blue);
}

// The lane of a plain cell that becomes the word's top byte.
constexpr float kOpaqueLevel = 255.0f;

// The word 0xAARRGGBB of whole levels 0..255 held as blue, green, red, alpha in four float
// lanes.
template <class FourChannels>
[[gnu::always_inline]] inline std::uint32_t WordOfLevels(FourChannels levels) {
#if defined(__SSE2__)
    // Four conversions and two packings at once, where taking lanes out one by one costs three
    // times as much.
    const __m128i whole = _mm_cvttps_epi32(levels);
    const __m128i halves = _mm_packs_epi32(whole, whole);
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(halves, halves)));
#else
    return (static_cast<std::uint32_t>(levels[3]) << 24) |
           (static_cast<std::uint32_t>(levels[2]) << 16) |
           (static_cast<std::uint32_t>(levels[1]) << 8) | static_cast<std::uint32_t>(levels[0]);
#endif
}

// The word of levels 0..255 rounded to whole numbers, ties to even, by adding and taking away
// 2^23.
template <class FourChannels>
[[gnu::always_inline]] inline std::uint32_t RoundedWordOf(FourChannels levels) {
    constexpr float kNoFraction = 8388608.0f;
    return WordOfLevels((levels + kNoFraction) - kNoFraction);
}

// The table cells of positions on the line and how far into them, as TableCellOf works them
// out: the same operations, so the same bits, but without branches, so that the loop becomes
// vector code. A position that is no number lands in the first cell, which is always exact.
[[gnu::target_clones("avx2", "default")]] void CellsOf(std::span<const double> positions,
                                                       double first, double cellsPerUnit,
                                                       double lastCell, std::int32_t* indices,
                                                       double* withins) {
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const double unclamped = (positions[i] - first) * cellsPerUnit;
        const double belowLast = lastCell < unclamped ? lastCell : unclamped;
        const double cell = unclamped >= 0.0 ? belowLast : 0.0;
        const auto index = static_cast<std::int32_t>(cell);
        indices[i] = index;
        withins[i] = cell - static_cast<double>(index);
    }
}

// A preview's line in single precision, for RoughCellsOf: `period` 0 where it does not repeat.
struct RoughLine {
    float first;
    float cellsPerUnit;
    float lastCell;
    float period;
    float periodsPerUnit;
};

// The table cells of rough positions and how far into them, as CellsOf finds them, in single
// precision; a repeating line's positions brought into its period first.
[[gnu::target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")]] void RoughCellsOf(
    const float* positions, std::size_t count, RoughLine line, std::int32_t* indices,
    float* withins) {
    const auto store = [&](std::size_t i, float fromFirst) {
        const float unclamped = fromFirst * line.cellsPerUnit;
        const float belowLast = line.lastCell < unclamped ? line.lastCell : unclamped;
        const float cell = unclamped >= 0.0f ? belowLast : 0.0f;
        const auto index = static_cast<std::int32_t>(cell);
        indices[i] = index;
        withins[i] = cell - static_cast<float>(index);
    };
    if (line.period > 0.0f) {
        for (std::size_t i = 0; i < count; ++i) {
            const float fromFirst = positions[i] - line.first;
            store(i, fromFirst - std::floor(fromFirst * line.periodsPerUnit) * line.period);
        }
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        store(i, positions[i] - line.first);
    }
}

// The dithered words of colours along a row from `firstColumn`: DitheredWord(DitherLevelsOf())
// with the same operations on each channel, written without branches or lookups into the
// mask so that the loop becomes vector code. Where the processor has them, floor and ceil
// are single instructions instead of library calls; the same results.
[[gnu::target_clones("avx2", "default")]] void DitheredWordsOf(std::span<const ExactColor> colors,
                                                               int firstColumn, int row,
                                                               std::uint32_t* words) {
    const std::size_t count = std::min(colors.size(), static_cast<std::size_t>(kPositionsAtOnce));
    const std::uint16_t* maskRow = BlueNoiseRankRow(row);
    std::array<std::int32_t, kPositionsAtOnce> ranks{};
    for (std::size_t i = 0; i < count; ++i) {
        ranks[i] = maskRow[(firstColumn + static_cast<int>(i)) & (kBlueNoiseSide - 1)];
    }
    const auto level = [](double value, std::int32_t rank, int shift) {
        constexpr double kCells = kBlueNoiseCells;
        const double v = std::min(std::max(value, 0.0), 255.0);
        const double floor = std::floor(v);
        const double lift = std::ceil(kCells * (1.0 - (v - floor)) - 0.5);
        const auto liftRank = static_cast<std::int32_t>(std::min(std::max(lift, 0.0), kCells));
        return (static_cast<std::int32_t>(floor) + static_cast<std::int32_t>(rank >= liftRank))
               << shift;
    };
    for (std::size_t i = 0; i < count; ++i) {
        const ExactColor& color = colors[i];
        const std::int32_t rank = ranks[i];
        words[i] = 0xFF000000u | static_cast<std::uint32_t>(level(color.red, rank, 16) |
                                                            level(color.green, rank, 8) |
                                                            level(color.blue, rank, 0));
    }
}

}  // namespace

bool CanBeTransparent(const FreeGradient& gradient) {
    return std::any_of(gradient.stops.begin(), gradient.stops.end(),
                       [](const ColorStop& stop) { return !IsOpaque(stop.color); });
}

FreeRenderer::FreeRenderer(const FreeGradient& gradient, int width, int height, PictureAlpha alpha)
    : FreeRenderer(gradient, width, height, width, height, alpha) {}

FreeRenderer::FreeRenderer(const FreeGradient& gradient, int width, int height, int surfaceWidth,
                           int surfaceHeight, PictureAlpha alpha, FreePrecision precision)
    : placement_(gradient, width, height),
      line_(gradient, placement_.LineLength()),
      scaleX_(surfaceWidth > 0 ? static_cast<double>(width) / surfaceWidth : 1.0),
      scaleY_(surfaceHeight > 0 ? static_cast<double>(height) / surfaceHeight : 1.0),
      repeats_(line_.Repeats()),
      horizontal_(gradient.shape == FreeShape::kLinear &&
                  placement_.PositionAt(0.5, 0.5) == placement_.PositionAt(0.5, 1.5)),
      alpha_(alpha),
      precision_(precision),
      beforeLine_(Straight(line_.At(std::numeric_limits<double>::quiet_NaN()))),
      afterLine_(Straight(line_.At(std::numeric_limits<double>::infinity()))) {
    const double span = line_.Last() - line_.First();
    if (!(span > 0.0) || !std::isfinite(span)) {
        return;  // every pixel is worked out exactly
    }
    // As fine as the surface's pixels need: a preview needs far fewer entries.
    const double pixels =
        span * placement_.PixelsPerUnit() / std::max(1.0, std::min(scaleX_, scaleY_));
    const auto count = static_cast<std::size_t>(
        std::clamp(std::ceil(pixels * kEntriesPerPixel) + 1.0, static_cast<double>(kMinEntries),
                   static_cast<double>(kMaxEntries)));
    entryStep_ = span / static_cast<double>(count - 1);
    cellsPerUnit_ = 1.0 / entryStep_;
    lastCell_ = static_cast<double>(count - 1);
    exactCells_.assign(count, 0);
    // The last entry starts no cell: a position there is worked out exactly.
    exactCells_.back() = 1;
    for (const double joint : line_.Joints()) {
        const double cell = (joint - line_.First()) / entryStep_;
        const auto index = static_cast<std::size_t>(
            std::clamp(std::floor(cell), 0.0, static_cast<double>(count - 1)));
        exactCells_[index] = 1;
        exactCells_[index == 0 ? 0 : index - 1] = 1;
    }
    entries_.resize(count);
    if (alpha_ == PictureAlpha::kStraight) {
        alphas_.resize(count);
    }
    if (precision == FreePrecision::kPreview && alpha_ == PictureAlpha::kOpaque) {
        WorkOutSmoothEntries();
    } else {
        std::vector<std::size_t> every(count);
        std::iota(every.begin(), every.end(), std::size_t{0});
        WorkOutEntries(every);
    }
    if (alpha_ == PictureAlpha::kStraight) {
        return;  // its words come from the premultiplied blend
    }
    // The plain words are blended in single precision, four channels at once: a float
    // holds 0..255 to 1/65536, far finer than the table itself.
    plainCells_.resize(count);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const ExactColor& a = entries_[i];
        const ExactColor& b = entries_[i + 1];
        plainCells_[i].start = FourChannels{static_cast<float>(a.blue), static_cast<float>(a.green),
                                            static_cast<float>(a.red), kOpaqueLevel};
        plainCells_[i].change =
            FourChannels{static_cast<float>(b.blue - a.blue), static_cast<float>(b.green - a.green),
                         static_cast<float>(b.red - a.red), 0.0f};
    }
    if (precision == FreePrecision::kPreview) {
        BuildFineTables();
        // Positions grow away from the centre of a radial gradient and the line of a linear one,
        // so the box's farthest lie at its corners; a conic one's within a turn.
        double reach = std::max({1.0, std::abs(line_.First()), std::abs(line_.Last())});
        for (const double x : {0.0, static_cast<double>(width)}) {
            for (const double y : {0.0, static_cast<double>(height)}) {
                reach = std::max(reach, std::abs(placement_.PositionAt(x, y)));
            }
        }
        MarkRoughRoutes(reach);
    }
}

void FreeRenderer::WorkOutEntries(std::span<const std::size_t> indices) {
    ForPiecesInParallel(
        static_cast<std::int64_t>(indices.size()), kEntriesPerPiece,
        [&](std::int64_t begin, std::int64_t end) {
            const std::span<const std::size_t> part = indices.subspan(
                static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
            std::vector<double> positions(part.size());
            for (std::size_t k = 0; k < part.size(); ++k) {
                positions[k] = line_.First() + entryStep_ * static_cast<double>(part[k]);
            }
            std::vector<ExactStraight> colors(positions.size());
            ExactStraightsAt(positions, colors);
            for (std::size_t k = 0; k < colors.size(); ++k) {
                if (alpha_ == PictureAlpha::kStraight) {
                    entries_[part[k]] = Premultiplied(colors[k]);
                    alphas_[part[k]] = colors[k].alpha;
                } else {
                    entries_[part[k]] = LaidOverWhite(colors[k]);
                }
            }
        });
}

void FreeRenderer::WorkOutSmoothEntries() {
    const std::size_t count = entries_.size();
    constexpr std::size_t kHalf = kSmoothBlockCells / 2;
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < count; i += kHalf) {
        indices.push_back(i);
    }
    if (indices.back() != count - 1) {
        indices.push_back(count - 1);
    }
    WorkOutEntries(indices);
    indices.clear();
    const auto between = [](const ExactColor& a, const ExactColor& b, std::size_t k) {
        return Between(a, b, static_cast<double>(k) / kHalf);
    };
    for (std::size_t first = 0; first < count - 1; first += kSmoothBlockCells) {
        const std::size_t last = first + kSmoothBlockCells;
        const bool whole =
            last < count && std::all_of(exactCells_.begin() + first, exactCells_.begin() + last,
                                        [](std::uint8_t exact) { return exact == 0; });
        const ExactColor& a = entries_[first];
        const ExactColor& middle = entries_[first + kHalf];
        if (whole) {
            const ExactColor& b = entries_[last];
            const ExactColor chord = Between(a, b, 0.5);
            const double miss =
                std::max({std::abs(chord.red - middle.red), std::abs(chord.green - middle.green),
                          std::abs(chord.blue - middle.blue)});
            if (miss <= kSmoothBlockMiss) {
                for (std::size_t k = 1; k < kHalf; ++k) {
                    entries_[first + k] = between(a, middle, k);
                    entries_[first + kHalf + k] = between(middle, b, k);
                }
                continue;
            }
        }
        for (std::size_t i = first + 1; i < std::min(last, count - 1); ++i) {
            if (i != first + kHalf) {
                indices.push_back(i);
            }
        }
    }
    WorkOutEntries(indices);
}

void FreeRenderer::MarkRoughRoutes(double reach) {
    const std::size_t count = entries_.size();
    const double cellsOff = kRoughShare * reach * cellsPerUnit_;
    std::vector<std::uint8_t> steep(count, 1);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const ExactColor& a = entries_[i];
        const ExactColor& b = entries_[i + 1];
        const double change = std::max(
            {std::abs(b.red - a.red), std::abs(b.green - a.green), std::abs(b.blue - a.blue)});
        steep[i] = exactCells_[i] != 0 || !(change * cellsOff <= kRoughMiss) ? 1 : 0;
    }
    // A rough position up to cellsOff cells from such a cell may belong in it; the first cell
    // holds the positions that are no number.
    const auto around =
        static_cast<std::size_t>(std::clamp(std::ceil(cellsOff), 1.0, static_cast<double>(count)));
    roughRoutes_.assign(count, 0);
    roughRoutes_.front() = 1;
    for (std::size_t i = 0; i < count; ++i) {
        if (steep[i] != 0) {
            const std::size_t from = i < around ? 0 : i - around;
            std::fill(
                roughRoutes_.begin() + static_cast<std::ptrdiff_t>(from),
                roughRoutes_.begin() + static_cast<std::ptrdiff_t>(std::min(i + around + 1, count)),
                1);
        }
    }
}

// The position PositionsAlongRow gives pixel i of a part of a row, bit for bit: the same
// sums for a part of one pixel.
double FreeRenderer::ExactPositionOf(const RowPlace& place, std::size_t i) const {
    double position = 0.0;
    placement_.PositionsAlongRow(place.firstX, scaleX_, place.y,
                                 place.firstStep + static_cast<int>(i), std::span(&position, 1));
    return position;
}

void FreeRenderer::BuildFineTables() {
    const std::size_t count = entries_.size();
    fineTables_.assign(count, kNoFineTable);
    // Each fine cell's entries and, between them, its middle, where the blend is checked.
    constexpr std::size_t kSamplesPerCell = 2 * kFineCellsPerCell + 1;
    std::vector<double> positions;
    std::size_t tables = 0;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        if (exactCells_[i] == 0) {
            continue;
        }
        fineTables_[i] = static_cast<std::int32_t>(tables++ * (kFineCellsPerCell + 1));
        for (std::size_t k = 0; k < kSamplesPerCell; ++k) {
            const double cell =
                static_cast<double>(i) + static_cast<double>(k) / (2 * kFineCellsPerCell);
            positions.push_back(line_.First() + entryStep_ * cell);
        }
    }
    std::vector<ExactColor> samples(positions.size());
    ForPiecesInParallel(static_cast<std::int64_t>(positions.size()), kEntriesPerPiece,
                        [&](std::int64_t begin, std::int64_t end) {
                            const auto first = static_cast<std::size_t>(begin);
                            const auto part = static_cast<std::size_t>(end - begin);
                            std::vector<ExactStraight> colors(part);
                            ExactStraightsAt(std::span<const double>(&positions[first], part),
                                             colors);
                            for (std::size_t k = 0; k < part; ++k) {
                                samples[first + k] = LaidOverWhite(colors[k]);
                            }
                        });
    fineEntries_.resize(tables * (kFineCellsPerCell + 1));
    fineExact_.assign(fineEntries_.size(), 0);
    for (std::size_t t = 0; t < tables; ++t) {
        const ExactColor* sample = &samples[t * kSamplesPerCell];
        ExactColor* entry = &fineEntries_[t * (kFineCellsPerCell + 1)];
        for (std::size_t k = 0; k <= kFineCellsPerCell; ++k) {
            entry[k] = sample[2 * k];
        }
        // A cell over which the colour bends or jumps (a steep hint, a step, the gamut
        // mapping's edge) stays exact.
        for (std::size_t k = 0; k < kFineCellsPerCell; ++k) {
            const ExactColor blend = Between(entry[k], entry[k + 1], 0.5);
            const ExactColor& middle = sample[2 * k + 1];
            const double miss =
                std::max({std::abs(blend.red - middle.red), std::abs(blend.green - middle.green),
                          std::abs(blend.blue - middle.blue)});
            if (!(miss <= kFineBlendMiss)) {
                fineExact_[t * (kFineCellsPerCell + 1) + k] = 1;
            }
        }
    }
    const auto fineCells = static_cast<std::int64_t>(count * kFineCellsPerCell);
    for (const double joint : line_.Joints()) {
        const double fine = (joint - line_.First()) / entryStep_ * kFineCellsPerCell;
        if (!std::isfinite(fine)) {
            continue;
        }
        const auto holding = static_cast<std::int64_t>(
            std::clamp(std::floor(fine), 0.0, static_cast<double>(fineCells - 1)));
        for (std::int64_t k = holding - kFineCellsAroundJoint; k <= holding + kFineCellsAroundJoint;
             ++k) {
            if (k < 0 || k >= fineCells) {
                continue;
            }
            const std::int32_t table = fineTables_[static_cast<std::size_t>(k) / kFineCellsPerCell];
            if (table != kNoFineTable) {
                fineExact_[static_cast<std::size_t>(table) +
                           static_cast<std::size_t>(k) % kFineCellsPerCell] = 1;
            }
        }
    }
}

std::optional<ExactColor> FreeRenderer::FineColorAt(double position) const {
    if (fineTables_.empty() || !std::isfinite(position)) {
        return std::nullopt;
    }
    const auto [index, within] = CellOf(position);
    if (fineTables_[index] == kNoFineTable) {
        return std::nullopt;
    }
    const double fine = within * kFineCellsPerCell;
    const auto cell = std::min(static_cast<std::size_t>(fine), kFineCellsPerCell - 1);
    const std::size_t k = static_cast<std::size_t>(fineTables_[index]) + cell;
    if (fineExact_[k] != 0) {
        return std::nullopt;
    }
    return Between(fineEntries_[k], fineEntries_[k + 1], fine - static_cast<double>(cell));
}

ExactColor FreeRenderer::ExactAt(double position) const {
    return LaidOverWhite(ExactStraightAt(position));
}

ExactStraight FreeRenderer::ExactStraightAt(double position) const {
    if (const ExactStraight* end = EndColorAt(position)) {
        return *end;
    }
    return Straight(line_.At(position));
}

void FreeRenderer::ExactStraightsAt(std::span<const double> positions,
                                    std::span<ExactStraight> colors) const {
    std::vector<CssColor> onLine(positions.size());
    std::transform(positions.begin(), positions.end(), onLine.begin(),
                   [this](double position) { return line_.At(position); });
    std::vector<RgbTriple> mapped(onLine.size());
    MapIntoSrgb(onLine, mapped);
    for (std::size_t i = 0; i < std::min(colors.size(), onLine.size()); ++i) {
        colors[i] = StraightOf(AlphaOf(onLine[i]), mapped[i]);
    }
}

// Before the first stop (or at no position at all) and from the last one on, the line
// holds one colour, as At() gives it.
const ExactStraight* FreeRenderer::EndColorAt(double position) const {
    if (repeats_) {
        return nullptr;
    }
    if (!(position >= line_.First())) {
        return &beforeLine_;
    }
    return position >= line_.Last() ? &afterLine_ : nullptr;
}

ExactColor FreeRenderer::ColorAt(double position) const {
    if (alpha_ == PictureAlpha::kStraight) {
        return LaidOverWhite(TableStraightAt(position));
    }
    return TableColorAt(position);
}

ExactStraight FreeRenderer::StraightColorAt(double position) const {
    return TableStraightAt(position);
}

// Inlined into the pixel loops, as the four below. For a finite position of a line with a
// table.
[[gnu::always_inline]] inline FreeRenderer::TableCell FreeRenderer::CellOf(double position) const {
    const double wrapped = repeats_ ? line_.Wrapped(position) : position;
    const double cell = std::clamp((wrapped - line_.First()) * cellsPerUnit_, 0.0, lastCell_);
    const auto index = static_cast<std::size_t>(cell);
    return TableCell{index, cell - static_cast<double>(index)};
}

[[gnu::always_inline]] inline std::optional<FreeRenderer::TableCell> FreeRenderer::TableCellOf(
    double position) const {
    if (entries_.empty() || !std::isfinite(position)) {
        return std::nullopt;
    }
    const TableCell cell = CellOf(position);
    if (exactCells_[cell.index] != 0) {
        return std::nullopt;
    }
    return cell;
}

// The table's colour, exact where the table is not.
[[gnu::always_inline]] inline ExactColor FreeRenderer::TableColorAt(double position) const {
    const std::optional<TableCell> cell = TableCellOf(position);
    if (!cell) {
        return ExactAt(position);
    }
    return Between(entries_[cell->index], entries_[cell->index + 1], cell->within);
}

// The same with straight alpha: the premultiplied blend of the entries, un-premultiplied.
[[gnu::always_inline]] inline ExactStraight FreeRenderer::TableStraightAt(double position) const {
    const std::optional<TableCell> cell = TableCellOf(position);
    if (!cell) {
        return ExactStraightAt(position);
    }
    const std::size_t index = cell->index;
    const double t = cell->within;
    const double alpha = alphas_[index] + (alphas_[index + 1] - alphas_[index]) * t;
    if (!(alpha > 0.0)) {
        return {{}, 0.0};
    }
    const ExactColor premultiplied = Between(entries_[index], entries_[index + 1], t);
    const double unmultiply = kChannelMax / alpha;
    const auto channel = [unmultiply](double value) {
        return std::clamp(value * unmultiply, 0.0, kChannelMax);
    };
    return {{channel(premultiplied.red), channel(premultiplied.green), channel(premultiplied.blue)},
            alpha};
}

template <class OnTable, class OnExact>
void FreeRenderer::ForEachInPart(std::span<const double> positions, OnTable onTable,
                                 OnExact onExact) const {
    const std::size_t count = positions.size();
    std::array<std::int32_t, kPositionsAtOnce> indices{};
    std::array<double, kPositionsAtOnce> withins{};
    if (!entries_.empty()) {
        std::span<const double> onLine = positions;
        std::array<double, kPositionsAtOnce> wrapped{};
        if (repeats_) {
            line_.WrapEach(positions, wrapped);
            onLine = std::span<const double>(wrapped.data(), count);
        }
        CellsOf(onLine, line_.First(), cellsPerUnit_, lastCell_, indices.data(), withins.data());
    }
    std::array<std::size_t, kPositionsAtOnce> leftPixels;
    std::array<double, kPositionsAtOnce> leftPositions;
    std::size_t leftCount = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const auto index = static_cast<std::size_t>(indices[i]);
        if (!entries_.empty() && exactCells_[index] == 0) {
            onTable(i, index, withins[i]);
            continue;
        }
        leftPixels[leftCount] = i;
        leftPositions[leftCount++] = positions[i];
    }
    ForEachLeftOver(std::span<const std::size_t>(leftPixels.data(), leftCount),
                    std::span<const double>(leftPositions.data(), leftCount), onExact);
}

template <class OnExact>
void FreeRenderer::ForEachLeftOver(std::span<const std::size_t> pixels,
                                   std::span<const double> positions, OnExact onExact) const {
    if (pixels.empty()) {
        return;
    }
    std::array<std::size_t, kPositionsAtOnce> exactPixels;
    std::array<double, kPositionsAtOnce> exactPositions;
    std::size_t exactCount = 0;
    for (std::size_t k = 0; k < pixels.size(); ++k) {
        const double position = positions[k];
        if (const ExactStraight* end = EndColorAt(position)) {
            onExact(pixels[k], *end);
        } else if (const std::optional<ExactColor> fine = FineColorAt(position)) {
            // Laid over white already: opaque, it stays as it is.
            onExact(pixels[k], ExactStraight{*fine, kChannelMax});
        } else {
            exactPixels[exactCount] = pixels[k];
            exactPositions[exactCount++] = position;
        }
    }
    if (exactCount == 0) {
        return;
    }
    std::array<ExactStraight, kPositionsAtOnce> exact;
    ExactStraightsAt(std::span<const double>(exactPositions.data(), exactCount), exact);
    for (std::size_t k = 0; k < exactCount; ++k) {
        onExact(exactPixels[k], exact[k]);
    }
}

template <class OnBlend, class OnExact>
void FreeRenderer::ForEachRoughInPart(const RowPlace& place, std::size_t count, OnBlend onBlend,
                                      OnExact onExact) const {
    std::array<float, kPositionsAtOnce> positions;
    placement_.RoughPositionsAlongRow(place.firstX, scaleX_, place.y, place.firstStep,
                                      std::span<float>(positions.data(), count));
    const auto period = static_cast<float>(repeats_ ? line_.Last() - line_.First() : 0.0);
    const RoughLine line{static_cast<float>(line_.First()), static_cast<float>(cellsPerUnit_),
                         static_cast<float>(lastCell_), period, repeats_ ? 1.0f / period : 0.0f};
    std::array<std::int32_t, kPositionsAtOnce> indices;
    std::array<float, kPositionsAtOnce> withins;
    RoughCellsOf(positions.data(), count, line, indices.data(), withins.data());
    // The members in locals, which the writes of onBlend cannot change.
    const std::uint8_t* routes = roughRoutes_.data();
    const PlainCell* cells = plainCells_.data();
    std::array<std::size_t, kPositionsAtOnce> leftPixels;
    std::array<double, kPositionsAtOnce> leftPositions;
    std::size_t leftCount = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::int32_t index = indices[i];
        if (routes[index] == 0) [[likely]] {
            onBlend(i, cells[index], withins[i]);
            continue;
        }
        // The exact renderer's cell of the exact position, where it has one.
        const double position = ExactPositionOf(place, i);
        if (const std::optional<TableCell> cell = TableCellOf(position)) {
            onBlend(i, cells[cell->index], static_cast<float>(cell->within));
            continue;
        }
        leftPixels[leftCount] = i;
        leftPositions[leftCount++] = position;
    }
    ForEachLeftOver(std::span<const std::size_t>(leftPixels.data(), leftCount),
                    std::span<const double>(leftPositions.data(), leftCount), onExact);
}

void FreeRenderer::PlainWordsAt(std::span<const double> positions, std::uint32_t* words) const {
    ForEachInPart(
        positions,
        [&](std::size_t i, std::size_t index, double within) {
            const PlainCell& plain = plainCells_[index];
            words[i] = RoundedWordOf(plain.start + plain.change * static_cast<float>(within));
        },
        [&](std::size_t i, const ExactStraight& exact) {
            words[i] = PlainWord(LaidOverWhite(exact));
        });
}

void FreeRenderer::DitheredWordsAt(std::span<const double> positions, int firstColumn, int row,
                                   std::uint32_t* words) const {
    std::array<ExactColor, kPositionsAtOnce> colors{};
    ForEachInPart(
        positions,
        [&](std::size_t i, std::size_t index, double within) {
            colors[i] = Between(entries_[index], entries_[index + 1], within);
        },
        [&](std::size_t i, const ExactStraight& exact) { colors[i] = LaidOverWhite(exact); });
    DitheredWordsOf(std::span<const ExactColor>(colors.data(), positions.size()), firstColumn, row,
                    words);
}

void FreeRenderer::RoughWordsAt(const RowPlace& place, std::size_t count, OutputFormat format,
                                int firstColumn, int row, std::uint32_t* words) const {
    // A level v becomes floor(v + lift): rounded with lifts of one half, dithered with the
    // mask's, (rank + 1/2) / cells, which lift v where DitheredWordsOf does, but for a float's
    // rounding. The alpha lane, 255, stays.
    static const std::array<FourChannels, kPositionsAtOnce> kHalves = [] {
        std::array<FourChannels, kPositionsAtOnce> halves;
        halves.fill(FourChannels{} + 0.5f);
        return halves;
    }();
    std::array<FourChannels, kPositionsAtOnce> maskLifts;
    if (format == OutputFormat::kDithered8) {
        // The mask's lifts along the row repeat every kBlueNoiseSide columns.
        const std::uint16_t* maskRow = BlueNoiseRankRow(row);
        constexpr float kLiftPerRank = 1.0f / kBlueNoiseCells;
        const std::size_t period = std::min(count, static_cast<std::size_t>(kBlueNoiseSide));
        for (std::size_t i = 0; i < period; ++i) {
            const int rank = maskRow[(firstColumn + static_cast<int>(i)) & (kBlueNoiseSide - 1)];
            maskLifts[i] = FourChannels{} + (static_cast<float>(rank) + 0.5f) * kLiftPerRank;
        }
        for (std::size_t i = period; i < count; i += period) {
            std::copy_n(maskLifts.begin(), std::min(period, count - i), maskLifts.begin() + i);
        }
    }
    const FourChannels* lifts =
        format == OutputFormat::kDithered8 ? maskLifts.data() : kHalves.data();
    ForEachRoughInPart(
        place, count,
        [&](std::size_t i, const PlainCell& plain, float within) {
            words[i] = WordOfLevels(plain.start + plain.change * within + lifts[i]);
        },
        [&](std::size_t i, const ExactStraight& exact) {
            const ExactColor color = LaidOverWhite(exact);
            words[i] = WordOfLevels(FourChannels{static_cast<float>(color.blue),
                                                 static_cast<float>(color.green),
                                                 static_cast<float>(color.red), kOpaqueLevel} +
                                    lifts[i]);
        });
}

template <class PaintRow>
void FreeRenderer::ForEachPartOfRow(int firstColumn, int firstRow, int columns, int rows,
                                    PaintRow paintRow) const {
    const double firstX = (static_cast<double>(firstColumn) + 0.5) * scaleX_;
    for (int k = 0; k < rows; ++k) {
        const double y = (static_cast<double>(firstRow + k) + 0.5) * scaleY_;
        for (int begin = 0; begin < columns; begin += kPositionsAtOnce) {
            const auto count =
                static_cast<std::size_t>(std::min<int>(kPositionsAtOnce, columns - begin));
            paintRow(k, begin, count, RowPlace{firstX, y, begin});
        }
    }
}

template <class PaintRow>
void FreeRenderer::ForEachRow(int firstColumn, int firstRow, int columns, int rows,
                              PaintRow paintRow) const {
    std::array<double, kPositionsAtOnce> positions{};
    ForEachPartOfRow(firstColumn, firstRow, columns, rows,
                     [&](int k, int begin, std::size_t count, const RowPlace& place) {
                         const std::span<double> part(positions.data(), count);
                         placement_.PositionsAlongRow(place.firstX, scaleX_, place.y, begin, part);
                         paintRow(k, begin, std::span<const double>(part));
                     });
}

template <class Color, class ColorOf, class Write>
void FreeRenderer::ForEachPixel(int firstColumn, int firstRow, int columns, int rows,
                                ColorOf colorOf, Write write) const {
    double lastPosition = std::numeric_limits<double>::quiet_NaN();
    Color lastColor;
    ForEachRow(firstColumn, firstRow, columns, rows,
               [&](int k, int begin, std::span<const double> positions) {
                   for (std::size_t i = 0; i < positions.size(); ++i) {
                       // Runs of one position (a gradient down the rows) take their colour
                       // once.
                       if (positions[i] != lastPosition) {
                           lastColor = colorOf(positions[i]);
                           lastPosition = positions[i];
                       }
                       write(k, begin + static_cast<int>(i), lastColor);
                   }
               });
}

void FreeRenderer::RenderRegion(int firstColumn, int firstRow, Raster& region,
                                OutputFormat format) const {
    const auto rankAt = [&](int k, int c) { return BlueNoiseRank(firstColumn + c, firstRow + k); };
    const auto straight = [this](double position) { return TableStraightAt(position); };
    const bool dithered = format == OutputFormat::kDithered8;
    if (alpha_ == PictureAlpha::kStraight) {
        ForEachPixel<ExactStraight>(
            firstColumn, firstRow, region.Width(), region.Height(), straight,
            [&](int k, int c, const ExactStraight& color) {
                if (dithered) {
                    const std::int32_t rank = rankAt(k, c);
                    region.Row(k)[c] = StraightWord(DitheredWord(DitherLevelsOf(color.color), rank),
                                                    DitheredAlpha(color.alpha, rank));
                } else {
                    region.Row(k)[c] = StraightWord(PlainWord(color.color), Level(color.alpha));
                }
            });
        return;
    }
    if (precision_ == FreePrecision::kPreview && !plainCells_.empty()) {
        ForEachPartOfRow(firstColumn, firstRow, region.Width(), region.Height(),
                         [&](int k, int begin, std::size_t count, const RowPlace& place) {
                             RoughWordsAt(place, count, format, firstColumn + begin, firstRow + k,
                                          region.Row(k) + begin);
                         });
        return;
    }
    if (dithered) {
        ForEachRow(firstColumn, firstRow, region.Width(), region.Height(),
                   [&](int k, int begin, std::span<const double> positions) {
                       DitheredWordsAt(positions, firstColumn + begin, firstRow + k,
                                       region.Row(k) + begin);
                   });
        return;
    }
    ForEachRow(firstColumn, firstRow, region.Width(), region.Height(),
               [&](int k, int begin, std::span<const double> positions) {
                   PlainWordsAt(positions, region.Row(k) + begin);
               });
}

void FreeRenderer::RenderRegion(int firstColumn, int firstRow, Raster16& region) const {
    const auto write = [&](int k, int c, const ExactColor& color) {
        region.Row(k)[c] = DeepOf(color);
    };
    if (alpha_ == PictureAlpha::kStraight) {
        ForEachPixel<ExactColor>(
            firstColumn, firstRow, region.Width(), region.Height(),
            [this](double position) { return ColorAt(position); }, write);
        return;
    }
    ForEachPixel<ExactColor>(
        firstColumn, firstRow, region.Width(), region.Height(),
        [this](double position) { return TableColorAt(position); }, write);
}

void FreeRenderer::RenderStraightRegion(int firstColumn, int firstRow,
                                        Raster16Alpha& region) const {
    ForEachPixel<ExactStraight>(
        firstColumn, firstRow, region.Width(), region.Height(),
        [this](double position) { return TableStraightAt(position); },
        [&](int k, int c, const ExactStraight& color) {
            region.Row(k)[c] = DeepStraightOf(color);
        });
}

std::int32_t FreeRenderer::RowPeriod(OutputFormat format) const {
    if (!horizontal_) {
        return 0;
    }
    return format == OutputFormat::kDithered8 ? kBlueNoiseSide : 1;
}

}  // namespace tonzug
