// The circular shape of GradientRenderer: for every pixel the last ring that covers it
// is found with the raster's own ring predicates, instead of drawing ring after ring.

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <vector>

#include "render/Gradient.h"
#include "render/GradientSteps.h"
#include "render/PixelTargets.h"
#include "render/RasterCoverage.h"
#include "support/Threads.h"

namespace tonzug {
namespace {

// Sides up to 2^24 are exact in floats, so pixel-centre distances mirror exactly about
// the centre.
constexpr int kExactSide = 1 << 24;
// With rings this far apart or more, walking outward from pixel to pixel moves the step
// by a few at most (the distance grows by at most one pixel); thinner rings are found
// from an estimate.
constexpr float kWalkingRing = 0.25f;
// Largest quadrant kept in memory to share words across the diagonal (16 MiB).
constexpr std::int64_t kMaxOctantQuadrant = std::int64_t{1} << 22;
// The step codes of an unrounded output are painted in slices of at most this many
// pixels (4 MiB), so its memory follows the band, not the picture; with a table of the
// steps' levels, in slices small enough to stay in the cache (256 KiB) until they are read.
constexpr std::int64_t kMaxCodeSlice = std::int64_t{1} << 20;
constexpr std::int64_t kCachedCodeSlice = std::int64_t{1} << 16;
// Without a table of every step's levels, the levels of recently seen steps, by step code: a
// pixel's ring is mostly the ring of its neighbour or of its mirror pixel.
constexpr std::size_t kLevelCacheSize = std::size_t{1} << 14;

}  // namespace

bool GradientRenderer::MirrorsExactly() const {
    return surfaceWidth_ <= kExactSide && surfaceHeight_ <= kExactSide;
}

inline bool GradientRenderer::ReachesInward(std::int64_t step, double distanceSquared) const {
    return ringLimits_.empty()
               ? RingReachesInward(RingRadius(step), ringHalfWidth_, distanceSquared)
               : ringLimits_[static_cast<std::size_t>(step)].inner <= distanceSquared;
}

inline bool GradientRenderer::ReachesOutward(std::int64_t step, double distanceSquared) const {
    return ringLimits_.empty()
               ? RingReachesOutward(RingRadius(step), ringHalfWidth_, distanceSquared)
               : distanceSquared <= ringLimits_[static_cast<std::size_t>(step)].outer;
}

// The last ring whose inner edge reaches the distance.
std::int64_t GradientRenderer::FindRing(double distanceSquared) const {
    const std::int64_t lastStep = stepCount_ - 1;
    const std::int64_t guess =
        StepNear(std::sqrt(distanceSquared) + ringHalfWidth_, stepSize_, lastStep);
    return LastHolding(0, lastStep, guess,
                       [&](std::int64_t s) { return ReachesInward(s, distanceSquared); });
}

std::uint32_t GradientRenderer::LastPaintedRing(std::int64_t step, double distanceSquared,
                                                StepPainter& painter) const {
    return painter.LastPainted(step,
                               [&](std::int64_t s) { return ReachesOutward(s, distanceSquared); });
}

bool GradientRenderer::FindsRingsAlone() const {
    return !(stepSize_ >= kWalkingRing);
}

inline GradientRenderer::RingStep GradientRenderer::RingStepOf(std::int64_t step,
                                                               double distanceSquared) const {
    if (step < 0) {
        return {};  // only for a ring size that is no number
    }
    if (!ReachesOutward(step, distanceSquared)) {
        return {-1, step == stepCount_ - 1};
    }
    return {step, false};
}

inline GradientRenderer::RingStep GradientRenderer::RingStepAt(double distanceSquared,
                                                               std::int64_t& step) const {
    const std::int64_t lastStep = stepCount_ - 1;
    if (step >= 0 && !FindsRingsAlone()) {
        // The last ring reaching inward to the previous pixel still reaches this one.
        while (step < lastStep && ReachesInward(step + 1, distanceSquared)) {
            ++step;
        }
    } else {
        step = FindRing(distanceSquared);
    }
    return RingStepOf(step, distanceSquared);
}

// Compiled also for processors with AVX2 or AVX-512, whose vector registers check several
// guesses at once; the steps found are the same.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#endif
void GradientRenderer::FindRings(std::span<const double> distancesSquared,
                                 std::span<std::int64_t> steps) const {
    // The estimate from the distance is mostly the step itself: check it for every pixel
    // without branches, and search from it only where it is not.
    constexpr std::int64_t kUnsure = -2;
    const std::int64_t lastStep = stepCount_ - 1;
    const std::size_t count = std::min(distancesSquared.size(), steps.size());
    for (std::size_t i = 0; i < count; ++i) {
        const double distanceSquared = distancesSquared[i];
        const std::int64_t guess =
            StepNear(std::sqrt(distanceSquared) + ringHalfWidth_, stepSize_, lastStep);
        const bool holds = RingReachesInward(RingRadius(guess), ringHalfWidth_, distanceSquared);
        const bool nextHolds =
            (guess < lastStep) &
            RingReachesInward(RingRadius(guess + 1), ringHalfWidth_, distanceSquared);
        steps[i] = holds & !nextHolds ? guess : kUnsure;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (steps[i] == kUnsure) {
            steps[i] = FindRing(distancesSquared[i]);
        }
    }
}

inline GradientRenderer::RingHit GradientRenderer::RingWord(double distanceSquared,
                                                            std::int64_t& step,
                                                            StepPainter& painter) const {
    const RingStep ring = RingStepAt(distanceSquared, step);
    if (ring.step < 0) {
        return {kNoPixel, ring.beyond};
    }
    const std::uint32_t word = painter.PixelOf(ring.step);
    return {word != kNoPixel ? word : LastPaintedRing(ring.step, distanceSquared, painter), false};
}

void GradientRenderer::RenderCircle(int firstColumn, int firstRow, WordRows band,
                                    StepPainter& painter) const {
    const PixelSpan rows = BandPartWithin({0, surfaceHeight_}, firstRow, band.Height());
    if (!MirrorsExactly()) {
        const PixelSpan columns = BandPartWithin({0, surfaceWidth_}, firstColumn, band.Width());
        for (int k = rows.first; k < rows.end; ++k) {
            const double dy = CentreOffset(std::int64_t{firstRow} + k, centreY_);
            for (int c = columns.first; c < columns.end; ++c) {
                std::int64_t step = -1;
                const double distanceSquared =
                    DistanceSquared(CentreOffset(std::int64_t{firstColumn} + c, centreX_), dy);
                const RingHit hit = RingWord(distanceSquared, step, painter);
                if (hit.word != kNoPixel) {
                    band.Row(k)[c] = hit.word;
                }
            }
        }
        return;
    }
    // When every pixel's word costs a ramp evaluation, the whole surface shares words
    // across the diagonal too.
    const std::int64_t quadrant =
        std::int64_t{surfaceWidth_ - surfaceWidth_ / 2} * (surfaceHeight_ - surfaceHeight_ / 2);
    if (stepWords_.empty() && firstColumn == 0 && firstRow == 0 && band.Width() == surfaceWidth_ &&
        band.Height() == surfaceHeight_ && surfaceWidth_ % 2 == surfaceHeight_ % 2 &&
        quadrant <= kMaxOctantQuadrant) {
        PaintRingOctants(band, painter);
        return;
    }
    // Each half row is computed once for its own row and for the mirrored row.
    const std::int64_t bandEnd = std::int64_t{firstRow} + band.Height();
    for (int k = rows.first; k < rows.end; ++k) {
        const std::int64_t y = std::int64_t{firstRow} + k;
        const std::int64_t mirror = std::int64_t{surfaceHeight_} - 1 - y;
        const bool mirrorInBand = mirror >= firstRow && mirror < bandEnd;
        if (mirrorInBand && mirror < y) {
            continue;  // painted with its mirror row
        }
        std::uint32_t* mirrorRow =
            mirrorInBand && mirror != y ? band.Row(static_cast<int>(mirror - firstRow)) : nullptr;
        PaintRingRow(y, band.Row(k), mirrorRow, firstColumn, band.Width(), painter);
    }
}

void GradientRenderer::PaintRingRow(std::int64_t y, std::uint32_t* row, std::uint32_t* mirrorRow,
                                    int firstColumn, int columns, StepPainter& painter) const {
    const double dy = CentreOffset(y, centreY_);
    // The right half from the centre outward; the left half mirrors it. Only the columns
    // whose pixel or mirror pixel lies in the band are visited.
    const std::int64_t bandBegin = firstColumn;
    const std::int64_t bandEnd = std::min<std::int64_t>(bandBegin + columns, surfaceWidth_);
    const std::int64_t half = surfaceWidth_ / 2;
    // Right-half columns in the band, and those whose mirror is in it.
    const PixelSpan direct{static_cast<int>(std::max(bandBegin, half)), static_cast<int>(bandEnd)};
    const PixelSpan mirrored{static_cast<int>(std::max(surfaceWidth_ - bandEnd, half)),
                             static_cast<int>(surfaceWidth_ - bandBegin)};
    std::int64_t xBegin = surfaceWidth_;
    std::int64_t xEnd = half;
    for (const PixelSpan& span : {direct, mirrored}) {
        if (!span.Empty()) {
            xBegin = std::min<std::int64_t>(xBegin, span.first);
            xEnd = std::max<std::int64_t>(xEnd, span.end);
        }
    }
    const auto inBand = [&](std::int64_t column) {
        return column >= bandBegin && column < bandEnd;
    };
    std::int64_t step = -1;
    if (bandBegin == 0 && bandEnd == surfaceWidth_) {
        // The whole row: no column falls outside.
        for (std::int64_t x = half; x < surfaceWidth_; ++x) {
            const RingHit hit =
                RingWord(DistanceSquared(CentreOffset(x, centreX_), dy), step, painter);
            if (hit.beyond) {
                break;
            }
            if (hit.word != kNoPixel) {
                const std::int64_t mirrorX = surfaceWidth_ - 1 - x;
                row[x] = hit.word;
                row[mirrorX] = hit.word;
                if (mirrorRow != nullptr) {
                    mirrorRow[x] = hit.word;
                    mirrorRow[mirrorX] = hit.word;
                }
            }
        }
        return;
    }
    for (std::int64_t x = xBegin; x < xEnd; ++x) {
        const RingHit hit = RingWord(DistanceSquared(CentreOffset(x, centreX_), dy), step, painter);
        if (hit.beyond) {
            break;  // and so is the rest of the row
        }
        if (hit.word == kNoPixel) {
            continue;
        }
        for (const std::int64_t column : {x, surfaceWidth_ - 1 - x}) {
            if (inBand(column)) {
                const std::int64_t k = column - bandBegin;
                row[k] = hit.word;
                if (mirrorRow != nullptr) {
                    mirrorRow[k] = hit.word;
                }
            }
        }
    }
}

void GradientRenderer::PaintRingOctants(WordRows surface, StepPainter& painter) const {
    // Pixel (a, b) of the lower right quadrant, a columns and b rows from the centre: with
    // sides of the same parity, (b, a) lies at exactly the same distance.
    const int halfWidth = surfaceWidth_ / 2;
    const int halfHeight = surfaceHeight_ / 2;
    const int quadrantWidth = surfaceWidth_ - halfWidth;
    const int quadrantHeight = surfaceHeight_ - halfHeight;
    const auto index = [quadrantWidth](int a, int b) {
        return static_cast<std::size_t>(b) * static_cast<std::size_t>(quadrantWidth) +
               static_cast<std::size_t>(a);
    };
    const auto distanceSquared = [&](int a, int b) {
        return DistanceSquared(CentreOffset(halfWidth + a, centreX_),
                               CentreOffset(halfHeight + b, centreY_));
    };
    constexpr std::int32_t kTwin = -2;  // the word of the pixel across the diagonal
    std::vector<std::int32_t> steps(index(0, quadrantHeight), -1);
    std::vector<std::uint32_t> words(steps.size(), kNoPixel);
    // Rows in pieces on every core, handed to whichever thread is free: first each pixel's
    // ring, then the words of the piece's rings together, as a ring's word may cost a
    // gamut-mapped blend. A piece holds enough pixels that those blends fill the vector
    // lanes, and few enough that threads finish together, though rows near the centre are
    // longer and a colour may cost ten times another.
    constexpr std::int64_t kPixelsPerPiece = 2048;
    const std::int64_t rowsPerPiece = std::max<std::int64_t>(1, kPixelsPerPiece / quadrantWidth);
    ForPiecesInParallel(
        quadrantHeight, rowsPerPiece, [&](std::int64_t firstRow, std::int64_t endRow) {
            std::vector<std::int32_t> pieceSteps;
            std::vector<std::size_t> ringed;
            std::vector<double> rowDistances;
            std::vector<std::int64_t> rowRings;
            for (auto b = static_cast<int>(firstRow); b < endRow; ++b) {
                const int twins = b < quadrantWidth ? b : 0;
                std::fill_n(steps.begin() + static_cast<std::ptrdiff_t>(index(0, b)), twins, kTwin);
                rowDistances.clear();
                for (int a = twins; a < quadrantWidth; ++a) {
                    rowDistances.push_back(distanceSquared(a, b));
                }
                rowRings.assign(rowDistances.size(), -1);
                if (FindsRingsAlone()) {
                    FindRings(rowDistances, rowRings);
                }
                std::int64_t step = -1;
                for (int a = twins; a < quadrantWidth; ++a) {
                    const auto k = static_cast<std::size_t>(a - twins);
                    const RingStep ring = FindsRingsAlone()
                                              ? RingStepOf(rowRings[k], rowDistances[k])
                                              : RingStepAt(rowDistances[k], step);
                    if (ring.beyond) {
                        break;
                    }
                    steps[index(a, b)] = static_cast<std::int32_t>(ring.step);
                    if (ring.step >= 0) {
                        pieceSteps.push_back(static_cast<std::int32_t>(ring.step));
                        ringed.push_back(index(a, b));
                    }
                }
            }
            std::vector<std::uint32_t> pieceWords(pieceSteps.size());
            painter.PixelsOf(pieceSteps, pieceWords);
            for (std::size_t k = 0; k < ringed.size(); ++k) {
                words[ringed[k]] = pieceWords[k];
            }
        });
    for (int b = 0; b < quadrantHeight; ++b) {
        for (int a = 0; a < quadrantWidth; ++a) {
            const std::int32_t step = steps[index(a, b)];
            std::uint32_t& word = words[index(a, b)];
            if (step == kTwin) {
                word = words[index(b, a)];
            } else if (step >= 0 && word == kNoPixel) {
                // Its colour paints nothing: the last ring below it that paints shows.
                word = LastPaintedRing(step, distanceSquared(a, b), painter);
            }
        }
    }
    // Each row of the quadrant into its four places, the left ones mirrored; loops without
    // branches, which the compiler turns into vector code.
    const auto paint = [](std::uint32_t* target, const std::uint32_t* source, int count) {
        for (int k = 0; k < count; ++k) {
            target[k] = source[k] != kNoPixel ? source[k] : target[k];
        }
    };
    const auto paintMirrored = [](std::uint32_t* targetEnd, const std::uint32_t* source,
                                  int count) {
        for (int k = 0; k < count; ++k) {
            std::uint32_t& target = *(targetEnd - 1 - k);
            target = source[k] != kNoPixel ? source[k] : target;
        }
    };
    for (int b = 0; b < quadrantHeight; ++b) {
        const std::uint32_t* quadrantRow = &words[index(0, b)];
        const int y = halfHeight + b;
        for (std::uint32_t* row : {surface.Row(y), surface.Row(surfaceHeight_ - 1 - y)}) {
            paint(row + halfWidth, quadrantRow, quadrantWidth);
            paintMirrored(row + (surfaceWidth_ - halfWidth), quadrantRow, quadrantWidth);
        }
    }
}

template <class Target>
const std::vector<typename Target::Levels>* GradientRenderer::StepLevels(
    const Target& target) const {
    ExactPreparation<Target>* prepared = Preparation<Target>();
    if (prepared == nullptr || stepWords_.empty()) {
        return nullptr;
    }
    PrepareOnce(prepared->stepsMade, [&] {
        // Indexed by step code; code kNoPixel has levels that are never painted.
        prepared->stepLevels.resize(stepWords_.size() + 1);
        for (std::size_t step = 0; step < stepWords_.size(); ++step) {
            const std::uint32_t code = StepCode(static_cast<std::int64_t>(step));
            prepared->stepLevels[code] = target.LevelsOf(code);
        }
    });
    // Empty when the preparation failed on another thread.
    return prepared->stepLevels.size() == stepWords_.size() + 1 ? &prepared->stepLevels : nullptr;
}

template <class Target>
void GradientRenderer::RenderExactRings(int firstColumn, int firstRow, Target& target,
                                        StepPainter& painter) const {
    using Levels = typename Target::Levels;
    // The levels of every step when the rings are few for the pixels, else of the steps
    // seen last.
    const std::vector<Levels>* table = StepLevels(target);
    const int width = target.Width();
    const int sliceRows = static_cast<int>(std::clamp<std::int64_t>(
        (table != nullptr ? kCachedCodeSlice : kMaxCodeSlice) / width, 1, target.Height()));
    std::vector<std::uint32_t> codes(static_cast<std::size_t>(width) *
                                     static_cast<std::size_t>(sliceRows));
    struct CachedLevels {
        std::uint32_t code = kNoPixel;
        Levels levels{};
    };
    std::vector<CachedLevels> cache(table != nullptr ? 0 : kLevelCacheSize);
    std::vector<Levels> rowLevels(table != nullptr ? static_cast<std::size_t>(width) : 0);
    for (int sliceFirst = 0; sliceFirst < target.Height(); sliceFirst += sliceRows) {
        const int rows = std::min(sliceRows, target.Height() - sliceFirst);
        std::fill(codes.begin(), codes.end(), kNoPixel);
        const WordRows slice(codes.data(), width, rows);
        RenderCircle(firstColumn, firstRow + sliceFirst, slice, painter);
        for (int k = 0; k < rows; ++k) {
            const std::uint32_t* row = slice.Row(k);
            const std::int64_t y = std::int64_t{firstRow} + sliceFirst + k;
            if constexpr (std::is_same_v<Target, DitherTarget>) {
                if (table != nullptr) {
                    // The levels of the row first, so that a full row is dithered in one loop
                    // the compiler can vectorise.
                    std::uint32_t unpainted = 0;
                    for (int c = 0; c < width; ++c) {
                        unpainted |= static_cast<std::uint32_t>(row[c] == kNoPixel);
                    }
                    for (int c = 0; c < width; ++c) {
                        rowLevels[static_cast<std::size_t>(c)] = (*table)[row[c]];
                    }
                    target.PaintRow(sliceFirst + k, firstColumn, y, unpainted != 0 ? row : nullptr,
                                    width,
                                    [&](int c) { return rowLevels[static_cast<std::size_t>(c)]; });
                    continue;
                }
            }
            if (table != nullptr) {
                target.PaintRow(sliceFirst + k, firstColumn, y, row, width,
                                [&](int c) { return (*table)[row[c]]; });
                continue;
            }
            target.PaintRow(sliceFirst + k, firstColumn, y, row, width, [&](int c) {
                CachedLevels& cached = cache[row[c] % kLevelCacheSize];
                if (cached.code != row[c]) {
                    cached = {row[c], target.LevelsOf(row[c])};
                }
                return cached.levels;
            });
        }
    }
}

template void GradientRenderer::RenderExactRings(int, int, DitherTarget&, StepPainter&) const;
template void GradientRenderer::RenderExactRings(int, int, DeepTarget&, StepPainter&) const;

}  // namespace tonzug
