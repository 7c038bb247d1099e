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

std::uint32_t GradientRenderer::BoxStripWord(std::int64_t strip, StepPainter& painter) const {
    // Box i spans StepStart(i) .. StepStart(i) + stepSize_; both edges grow with i, so
    // the last box that covers the strip is the last one starting on or before it.
    const auto position = static_cast<double>(strip);
    const auto startsInTime = [&](std::int64_t step) {
        return FirstCovered(StepStart(step)) <= position;
    };
    const auto reachesStrip = [&](std::int64_t step) {
        const float start = StepStart(step);
        return EndCovered(start, start + stepSize_) > position;
    };
    const std::int64_t lastStep = stepCount_ - 1;
    const std::int64_t step =
        LastHolding(0, lastStep, StepNear(position + 1.0, stepSize_, lastStep), startsInTime);
    if (step < 0 || !reachesStrip(step)) {
        return kNoPixel;
    }
    return painter.LastPainted(step, reachesStrip);
}

template <class Target>
const typename Target::Band* GradientRenderer::RepeatingRows() const {
    ExactPreparation<Target>* prepared = Preparation<Target>();
    if (prepared == nullptr || !ramp_ || surfaceHeight_ < Target::kRowPeriod ||
        std::int64_t{surfaceWidth_} * Target::kRowPeriod > kMaxRepeatedRowsPixels) {
        return nullptr;
    }
    std::call_once(prepared->rowsMade, [&] {
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
    for (int column = 0; column < columns; ++column) {
        const auto i = static_cast<std::size_t>(column);
        painted[i] = BoxStripWord(std::int64_t{firstColumn} + column, painter);
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
    std::uint32_t previous = kNoPixel;
    typename Target::Levels levels{};
    for (int k = rows.first; k < rows.end; ++k) {
        const std::int64_t y = std::int64_t{firstRow} + k;
        const std::uint32_t painted = BoxStripWord(y, painter);
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
