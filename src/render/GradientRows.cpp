// The box shapes of GradientRenderer: for every column or row the last step that covers
// it is found with the raster's own coverage predicates, instead of drawing the steps
// one by one.

#include <algorithm>
#include <mutex>
#include <type_traits>
#include <vector>

#include "render/Gradient.h"
#include "render/GradientSteps.h"
#include "render/PixelTargets.h"
#include "render/RasterCoverage.h"

namespace tonzug {
namespace {

// Horizontal gradients keep the rows that repeat in an unrounded output (64 dithered rows,
// one 16-bit row) for surfaces up to 2^16 columns (16 MiB).
constexpr std::int64_t kMaxRepeatedRowsPixels = std::int64_t{1} << 22;

}  // namespace

void GradientRenderer::BoxStripWords(std::int64_t first, std::span<std::uint32_t> words,
                                     StepPainter& painter) const {
    // Box i spans StepStart(i) .. StepStart(i) + stepSize_; both edges grow with i, so
    // the last box that covers a strip is the last one starting on or before it.
    const auto reaches = [&](std::int64_t step, double position) {
        const float start = StepStart(step);
        return EndCovered(start, start + stepSize_) > position;
    };
    const std::int64_t lastStep = stepCount_ - 1;
    std::vector<std::int32_t> covering;
    std::vector<std::size_t> covered;
    covering.reserve(words.size());
    covered.reserve(words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto position = static_cast<double>(first + static_cast<std::int64_t>(i));
        const std::int64_t step =
            LastHolding(0, lastStep, StepNear(position + 1.0, stepSize_, lastStep),
                        [&](std::int64_t s) { return FirstCovered(StepStart(s)) <= position; });
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

template <class Target>
const typename Target::Band* GradientRenderer::RepeatingRows() const {
    ExactPreparation<Target>* prepared = Preparation<Target>();
    if (prepared == nullptr || !ramp_ || surfaceHeight_ < Target::kRowPeriod ||
        std::int64_t{surfaceWidth_} * Target::kRowPeriod > kMaxRepeatedRowsPixels) {
        return nullptr;
    }
    PrepareOnce(prepared->rowsMade, [&] {
        prepared->rows.Reset(surfaceWidth_, Target::kRowPeriod);
        Target target(*ramp_, prepared->rows);
        StepPainter painter(*ramp_, stepWords_, Target::kYield);
        prepared->rowsComplete =
            prepared->rows.Height() == Target::kRowPeriod && PaintColumns(0, 0, target, painter);
    });
    return prepared->rowsComplete ? &prepared->rows : nullptr;
}

template <class Target>
void GradientRenderer::RenderHorizontal(int firstColumn, int firstRow, Target& target,
                                        StepPainter& painter) const {
    if constexpr (!std::is_same_v<Target, PlainTarget>) {
        // Full rows repeat with the period of the output: every band copies them.
        const auto* tile =
            firstColumn == 0 && target.Width() == surfaceWidth_ ? RepeatingRows<Target>() : nullptr;
        if (tile != nullptr) {
            const PixelSpan rows = BandPartWithin({0, surfaceHeight_}, firstRow, target.Height());
            for (int k = rows.first; k < rows.end; ++k) {
                target.CopyRowFrom(tile->Row((firstRow + k) % Target::kRowPeriod), k,
                                   {0, surfaceWidth_});
            }
            return;
        }
    }
    PaintColumns(firstColumn, firstRow, target, painter);
}

template <class Target>
bool GradientRenderer::PaintColumns(int firstColumn, int firstRow, Target& target,
                                    StepPainter& painter) const {
    const PixelSpan surfaceRows =
        CoveredSpan(0.0f, static_cast<float>(surfaceHeight_), surfaceHeight_);
    const PixelSpan rows = BandPartWithin(surfaceRows, firstRow, target.Height());
    const int columns =
        std::min(target.Width(), surfaceWidth_ - std::min(firstColumn, surfaceWidth_));
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
    BoxStripWords(firstColumn, painted, painter);
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
void GradientRenderer::RenderVertical(int firstColumn, int firstRow, Target& target,
                                      StepPainter& painter) const {
    const PixelSpan columns =
        BandPartWithin(CoveredSpan(0.0f, static_cast<float>(surfaceWidth_), surfaceWidth_),
                       firstColumn, target.Width());
    const PixelSpan rows = BandPartWithin({0, surfaceHeight_}, firstRow, target.Height());
    if (columns.Empty()) {
        return;
    }
    std::vector<std::uint32_t> paintedRows(static_cast<std::size_t>(rows.end - rows.first));
    BoxStripWords(std::int64_t{firstRow} + rows.first, paintedRows, painter);
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

template void GradientRenderer::RenderHorizontal(int, int, PlainTarget&, StepPainter&) const;
template void GradientRenderer::RenderHorizontal(int, int, DitherTarget&, StepPainter&) const;
template void GradientRenderer::RenderHorizontal(int, int, DeepTarget&, StepPainter&) const;
template void GradientRenderer::RenderVertical(int, int, PlainTarget&, StepPainter&) const;
template void GradientRenderer::RenderVertical(int, int, DitherTarget&, StepPainter&) const;
template void GradientRenderer::RenderVertical(int, int, DeepTarget&, StepPainter&) const;

}  // namespace tonzug
