// The box shapes of GradientRenderer: for every column or row the last step that covers
// it is found with the raster's own coverage predicates, instead of drawing the steps
// one by one.

#include <algorithm>
#include <vector>

#include "render/Gradient.h"
#include "render/GradientSteps.h"
#include "render/RasterCoverage.h"

namespace tonzug {

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

void GradientRenderer::RenderHorizontal(int firstColumn, int firstRow, Raster& band,
                                        StepPainter& painter) const {
    const PixelSpan surfaceRows =
        CoveredSpan(0.0f, static_cast<float>(surfaceHeight_), surfaceHeight_);
    const PixelSpan rows = BandPartWithin(surfaceRows, firstRow, band.Height());
    const int columns =
        std::min(band.Width(), surfaceWidth_ - std::min(firstColumn, surfaceWidth_));
    if (rows.Empty() || columns <= 0) {
        return;
    }
    std::vector<std::uint32_t> words(static_cast<std::size_t>(columns));
    bool complete = true;
    for (int column = 0; column < columns; ++column) {
        words[static_cast<std::size_t>(column)] =
            BoxStripWord(std::int64_t{firstColumn} + column, painter);
        complete = complete && words[static_cast<std::size_t>(column)] != kNoPixel;
    }
    for (int k = rows.first; k < rows.end; ++k) {
        std::uint32_t* row = band.Row(k);
        if (complete) {
            std::copy(words.begin(), words.end(), row);
            continue;
        }
        for (int column = 0; column < columns; ++column) {
            if (words[static_cast<std::size_t>(column)] != kNoPixel) {
                row[column] = words[static_cast<std::size_t>(column)];
            }
        }
    }
}

void GradientRenderer::RenderVertical(int firstColumn, int firstRow, Raster& band,
                                      StepPainter& painter) const {
    const PixelSpan columns =
        BandPartWithin(CoveredSpan(0.0f, static_cast<float>(surfaceWidth_), surfaceWidth_),
                       firstColumn, band.Width());
    const PixelSpan rows = BandPartWithin({0, surfaceHeight_}, firstRow, band.Height());
    if (columns.Empty()) {
        return;
    }
    for (int k = rows.first; k < rows.end; ++k) {
        const std::uint32_t word = BoxStripWord(std::int64_t{firstRow} + k, painter);
        if (word != kNoPixel) {
            std::fill(band.Row(k) + columns.first, band.Row(k) + columns.end, word);
        }
    }
}

}  // namespace tonzug
