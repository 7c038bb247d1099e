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
#include "render/FreeRendererParts.h"
#include "support/Threads.h"

namespace tonzug {
namespace {

using namespace free_parts;

// Table entries per pixel of the colour line: between two entries a blend bends so little
// that a straight line through them stays far within a level.
constexpr double kEntriesPerPixel = 4.0;
constexpr std::size_t kMinEntries = 64;
constexpr std::size_t kMaxEntries = std::size_t{1} << 18;
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

// The position PositionsAlongRow gives pixel i of a part of a row, bit for bit: the same
// sums for a part of one pixel.
double FreeRenderer::ExactPositionOf(const RowPlace& place, std::size_t i) const {
    double position = 0.0;
    placement_.PositionsAlongRow(place.firstX, scaleX_, place.y,
                                 place.firstStep + static_cast<int>(i), std::span(&position, 1));
    return position;
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
