// A free gradient's preview: its tables and its rows painted from rough positions.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "render/BlueNoiseMask.h"
#include "render/FreeRendererParts.h"
#include "support/Threads.h"

namespace tonzug {
namespace {

using namespace free_parts;

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
// Where one pixel of this many of a part of a row takes its exact position, the whole part's
// are worked out together.
constexpr std::size_t kRoutedShareForWholePart = 4;

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

}  // namespace

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
    // The pixels whose cells take exact positions, those worked out after the rest.
    std::array<std::size_t, kPositionsAtOnce> routed;
    std::size_t routedCount = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::int32_t index = indices[i];
        if (routes[index] == 0) [[likely]] {
            onBlend(i, cells[index], withins[i]);
            continue;
        }
        routed[routedCount++] = i;
    }
    if (routedCount == 0) {
        return;
    }
    // Many of them take the whole part's exact positions at once, in vector code.
    std::array<double, kPositionsAtOnce> exactPositions;
    const bool wholePart = routedCount * kRoutedShareForWholePart >= count;
    if (wholePart) {
        placement_.PositionsAlongRow(place.firstX, scaleX_, place.y, place.firstStep,
                                     std::span<double>(exactPositions.data(), count));
    }
    std::array<std::size_t, kPositionsAtOnce> leftPixels;
    std::array<double, kPositionsAtOnce> leftPositions;
    std::size_t leftCount = 0;
    for (std::size_t k = 0; k < routedCount; ++k) {
        const std::size_t i = routed[k];
        // The exact renderer's cell of the exact position, where it has one.
        const double position = wholePart ? exactPositions[i] : ExactPositionOf(place, i);
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

}  // namespace tonzug
