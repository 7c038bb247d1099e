// The box strips: for every column or row the last step that covers it is found with the
// raster's own coverage predicates, instead of drawing the steps one by one.

#include "render/StripShape.h"

#include <algorithm>
#include <span>
#include <type_traits>
#include <vector>

#include "render/GradientSteps.h"
#include "render/RasterCoverage.h"

namespace tonzug {
namespace {

// Horizontal gradients keep the rows that repeat in an unrounded output (64 dithered rows,
// one 16-bit row) for surfaces up to 2^16 columns (16 MiB).
constexpr std::int64_t kMaxRepeatedRowsPixels = std::int64_t{1} << 22;

// The words of the strips first .. first + words.size() - 1 (columns or rows), the steps'
// colours worked out together.
void BoxStripWords(const StepLayout& layout, std::int64_t first, std::span<std::uint32_t> words,
                   StepPainter& painter) {
    // Box i spans StepStart(i) .. StepStart(i) + size; both edges grow with i, so the last
    // box that covers a strip is the last one starting on or before it.
    const auto reaches = [&](std::int64_t step, double position) {
        const float start = layout.StepStart(step);
        return EndCovered(start, start + layout.size) > position;
    };
    const std::int64_t lastStep = layout.count - 1;
    std::vector<std::int32_t> covering;
    std::vector<std::size_t> covered;
    covering.reserve(words.size());
    covered.reserve(words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto position = static_cast<double>(first + static_cast<std::int64_t>(i));
        const std::int64_t step = LastHolding(
            0, lastStep, StepNear(position + 1.0, layout.size, lastStep),
            [&](std::int64_t s) { return FirstCovered(layout.StepStart(s)) <= position; });
        words[i] = kNoPixel;
        if (step >= 0 && reaches(step, position)) {
            covering.push_back(static_cast<std::int32_t>(step));
            covered.push_back(i);
        }
    }
    std::vector<std::uint32_t> coveringWords(covering.size());
    painter.PixelsOf(covering, coveringWords);
    for (std::size_t k = 0; k < covered.size(); ++k) {
        const std::size_t i = covered[k];
        const auto position = static_cast<double>(first + static_cast<std::int64_t>(i));
        // A colour that paints nothing lets the last box below it that paints show.
        words[i] = coveringWords[k] != kNoPixel
                       ? coveringWords[k]
                       : painter.LastPainted(covering[k],
                                             [&](std::int64_t s) { return reaches(s, position); });
    }
}

}  // namespace

std::int32_t ColumnStrips::RowPeriod(OutputFormat format) const {
    return format == OutputFormat::kDithered8 ? DitherTarget::kRowPeriod : PlainTarget::kRowPeriod;
}

template <class Target>
const typename Target::Band* ColumnStrips::RepeatingRows(const Target& like,
                                                         StepPainter& painter) const {
    const StepLayout& layout = Layout();
    if (layout.surfaceHeight < Target::kRowPeriod ||
        std::int64_t{layout.surfaceWidth} * Target::kRowPeriod > kMaxRepeatedRowsPixels) {
        return nullptr;
    }
    RepeatedRows<Target>& prepared = repeatedRows_.For<Target>();
    PrepareOnce(prepared.made, [&] {
        prepared.rows.Reset(layout.surfaceWidth, Target::kRowPeriod);
        Target target(like.Line(), prepared.rows);
        prepared.complete =
            prepared.rows.Height() == Target::kRowPeriod && PaintColumns(0, 0, target, painter);
    });
    return prepared.complete ? &prepared.rows : nullptr;
}

template <class Target>
void ColumnStrips::PaintWith(int firstColumn, int firstRow, Target& target,
                             StepPainter& painter) const {
    if constexpr (!std::is_same_v<Target, PlainTarget>) {
        // Full rows repeat with the period of the output: every band copies them.
        const int width = Layout().surfaceWidth;
        const auto* tile =
            firstColumn == 0 && target.Width() == width ? RepeatingRows(target, painter) : nullptr;
        if (tile != nullptr) {
            const PixelSpan rows =
                BandPartWithin({0, Layout().surfaceHeight}, firstRow, target.Height());
            for (int k = rows.first; k < rows.end; ++k) {
                target.CopyRowFrom(tile->Row((firstRow + k) % Target::kRowPeriod), k, {0, width});
            }
            return;
        }
    }
    PaintColumns(firstColumn, firstRow, target, painter);
}

template <class Target>
bool ColumnStrips::PaintColumns(int firstColumn, int firstRow, Target& target,
                                StepPainter& painter) const {
    const StepLayout& layout = Layout();
    const PixelSpan surfaceRows =
        CoveredSpan(0.0f, static_cast<float>(layout.surfaceHeight), layout.surfaceHeight);
    const PixelSpan rows = BandPartWithin(surfaceRows, firstRow, target.Height());
    const int columns =
        std::min(target.Width(), layout.surfaceWidth - std::min(firstColumn, layout.surfaceWidth));
    if (rows.Empty() || columns <= 0) {
        return false;
    }
    // What the painter yields for each column, and its levels; a run of columns that
    // shows one step asks for the levels once.
    std::vector<std::uint32_t> painted(static_cast<std::size_t>(columns));
    std::vector<typename Target::Levels> levels(static_cast<std::size_t>(columns));
    bool complete = true;
    std::uint32_t previous = kNoPixel;
    typename Target::Levels previousLevels{};
    BoxStripWords(layout, firstColumn, painted, painter);
    for (int column = 0; column < columns; ++column) {
        const auto i = static_cast<std::size_t>(column);
        if (painted[i] == kNoPixel) {
            complete = false;
            continue;
        }
        if (painted[i] != previous) {
            previousLevels = target.LevelsOf(painted[i]);
            previous = painted[i];
        }
        levels[i] = previousLevels;
    }
    const PixelSpan allColumns{0, columns};
    const std::uint32_t* paintedOrAll = complete ? nullptr : painted.data();
    for (int k = rows.first; k < rows.end; ++k) {
        if (complete && k - Target::kRowPeriod >= rows.first) {
            target.CopyRow(k - Target::kRowPeriod, k, allColumns);
            continue;
        }
        target.PaintRow(k, firstColumn, std::int64_t{firstRow} + k, paintedOrAll, columns,
                        [&](int column) { return levels[static_cast<std::size_t>(column)]; });
    }
    return complete;
}

template <class Target>
void RowStrips::PaintWith(int firstColumn, int firstRow, Target& target,
                          StepPainter& painter) const {
    const StepLayout& layout = Layout();
    const PixelSpan columns = BandPartWithin(
        CoveredSpan(0.0f, static_cast<float>(layout.surfaceWidth), layout.surfaceWidth),
        firstColumn, target.Width());
    const PixelSpan rows = BandPartWithin({0, layout.surfaceHeight}, firstRow, target.Height());
    if (columns.Empty()) {
        return;
    }
    std::vector<std::uint32_t> paintedRows(static_cast<std::size_t>(rows.end - rows.first));
    BoxStripWords(layout, std::int64_t{firstRow} + rows.first, paintedRows, painter);
    std::uint32_t previous = kNoPixel;
    typename Target::Levels levels{};
    for (int k = rows.first; k < rows.end; ++k) {
        const std::int64_t y = std::int64_t{firstRow} + k;
        const std::uint32_t painted = paintedRows[static_cast<std::size_t>(k - rows.first)];
        if (painted == kNoPixel) {
            continue;
        }
        if (painted != previous) {
            levels = target.LevelsOf(painted);
            previous = painted;
        }
        target.FillSpan(k, columns, firstColumn, y, levels);
    }
}

template void ColumnStrips::PaintWith(int, int, PlainTarget&, StepPainter&) const;
template void ColumnStrips::PaintWith(int, int, DitherTarget&, StepPainter&) const;
template void ColumnStrips::PaintWith(int, int, DeepTarget&, StepPainter&) const;
template void RowStrips::PaintWith(int, int, PlainTarget&, StepPainter&) const;
template void RowStrips::PaintWith(int, int, DitherTarget&, StepPainter&) const;
template void RowStrips::PaintWith(int, int, DeepTarget&, StepPainter&) const;

}  // namespace tonzug
