// The circular shape: every pixel takes the word of the last ring that covers it
// (render/RingSearch.h), shared with the pixels mirrored about the centre.

#include "render/RingShape.h"

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <vector>

#include "render/RasterCoverage.h"
#include "support/Threads.h"

namespace tonzug {
namespace {

// Sides up to 2^24 are exact in floats, so pixel-centre distances mirror exactly about
// the centre.
constexpr int kExactSide = 1 << 24;
// Circles keep the word and ring limits of every step when there are few steps for the
// pixels to compute (a quarter of the surface, by symmetry), up to 20 MiB.
constexpr std::int64_t kMaxStepWords = std::int64_t{1} << 20;
constexpr std::int64_t kPixelsPerStepWord = 8;
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

// The search keeps the limits of every ring when the renderer keeps its words.
bool KeepsStepWords(const StepLayout& layout) {
    const std::int64_t pixels = std::int64_t{layout.surfaceWidth} * layout.surfaceHeight;
    return layout.count > 0 && layout.count <= kMaxStepWords &&
           layout.count * kPixelsPerStepWord <= pixels;
}

}  // namespace

RingShape::RingShape(const StepLayout& layout, std::int16_t pen)
    : PaintsEveryTarget(layout),
      keepsStepWords_(KeepsStepWords(layout)),
      search_(layout, pen,
              keepsStepWords_ ? RingSearch::Limits::kTabulated : RingSearch::Limits::kComputed),
      centreX_(static_cast<float>(layout.surfaceWidth) / 2.0f),
      centreY_(static_cast<float>(layout.surfaceHeight) / 2.0f) {}

bool RingShape::MirrorsExactly() const {
    return SurfaceWidth() <= kExactSide && SurfaceHeight() <= kExactSide;
}

inline RingShape::RingHit RingShape::RingWord(double distanceSquared, std::int64_t& step,
                                              StepPainter& painter) const {
    const RingSearch::RingStep ring = search_.RingStepAt(distanceSquared, step);
    if (ring.step < 0) {
        return {kNoPixel, ring.beyond};
    }
    const std::uint32_t word = painter.PixelOf(ring.step);
    return {word != kNoPixel ? word : search_.LastPaintedRing(ring.step, distanceSquared, painter),
            false};
}

void RingShape::RenderCircle(int firstColumn, int firstRow, WordRows band,
                             StepPainter& painter) const {
    const PixelSpan rows = BandPartWithin({0, SurfaceHeight()}, firstRow, band.Height());
    if (!MirrorsExactly()) {
        const PixelSpan columns = BandPartWithin({0, SurfaceWidth()}, firstColumn, band.Width());
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
        std::int64_t{SurfaceWidth() - SurfaceWidth() / 2} * (SurfaceHeight() - SurfaceHeight() / 2);
    if (!keepsStepWords_ && firstColumn == 0 && firstRow == 0 && band.Width() == SurfaceWidth() &&
        band.Height() == SurfaceHeight() && SurfaceWidth() % 2 == SurfaceHeight() % 2 &&
        quadrant <= kMaxOctantQuadrant) {
        PaintRingOctants(band, painter);
        return;
    }
    // Each half row is computed once for its own row and for the mirrored row.
    const std::int64_t bandEnd = std::int64_t{firstRow} + band.Height();
    for (int k = rows.first; k < rows.end; ++k) {
        const std::int64_t y = std::int64_t{firstRow} + k;
        const std::int64_t mirror = std::int64_t{SurfaceHeight()} - 1 - y;
        const bool mirrorInBand = mirror >= firstRow && mirror < bandEnd;
        if (mirrorInBand && mirror < y) {
            continue;  // painted with its mirror row
        }
        std::uint32_t* mirrorRow =
            mirrorInBand && mirror != y ? band.Row(static_cast<int>(mirror - firstRow)) : nullptr;
        PaintRingRow(y, band.Row(k), mirrorRow, firstColumn, band.Width(), painter);
    }
}

void RingShape::PaintRingRow(std::int64_t y, std::uint32_t* row, std::uint32_t* mirrorRow,
                             int firstColumn, int columns, StepPainter& painter) const {
    const double dy = CentreOffset(y, centreY_);
    // The right half from the centre outward; the left half mirrors it. Only the columns
    // whose pixel or mirror pixel lies in the band are visited.
    const std::int64_t bandBegin = firstColumn;
    const std::int64_t bandEnd = std::min<std::int64_t>(bandBegin + columns, SurfaceWidth());
    const std::int64_t half = SurfaceWidth() / 2;
    // Right-half columns in the band, and those whose mirror is in it.
    const PixelSpan direct{static_cast<int>(std::max(bandBegin, half)), static_cast<int>(bandEnd)};
    const PixelSpan mirrored{static_cast<int>(std::max(SurfaceWidth() - bandEnd, half)),
                             static_cast<int>(SurfaceWidth() - bandBegin)};
    std::int64_t xBegin = SurfaceWidth();
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
    if (bandBegin == 0 && bandEnd == SurfaceWidth()) {
        // The whole row: no column falls outside.
        for (std::int64_t x = half; x < SurfaceWidth(); ++x) {
            const RingHit hit =
                RingWord(DistanceSquared(CentreOffset(x, centreX_), dy), step, painter);
            if (hit.beyond) {
                break;
            }
            if (hit.word != kNoPixel) {
                const std::int64_t mirrorX = SurfaceWidth() - 1 - x;
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
        for (const std::int64_t column : {x, SurfaceWidth() - 1 - x}) {
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

void RingShape::PaintRingOctants(WordRows surface, StepPainter& painter) const {
    // Pixel (a, b) of the lower right quadrant, a columns and b rows from the centre: with
    // sides of the same parity, (b, a) lies at exactly the same distance.
    const int halfWidth = SurfaceWidth() / 2;
    const int halfHeight = SurfaceHeight() / 2;
    const int quadrantWidth = SurfaceWidth() - halfWidth;
    const int quadrantHeight = SurfaceHeight() - halfHeight;
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
                if (search_.FindsRingsAlone()) {
                    search_.FindRings(rowDistances, rowRings);
                }
                std::int64_t step = -1;
                for (int a = twins; a < quadrantWidth; ++a) {
                    const auto k = static_cast<std::size_t>(a - twins);
                    const RingSearch::RingStep ring =
                        search_.FindsRingsAlone() ? search_.RingStepOf(rowRings[k], rowDistances[k])
                                                  : search_.RingStepAt(rowDistances[k], step);
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
                word = search_.LastPaintedRing(step, distanceSquared(a, b), painter);
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
        for (std::uint32_t* row : {surface.Row(y), surface.Row(SurfaceHeight() - 1 - y)}) {
            paint(row + halfWidth, quadrantRow, quadrantWidth);
            paintMirrored(row + (SurfaceWidth() - halfWidth), quadrantRow, quadrantWidth);
        }
    }
}

template <class Target>
const std::vector<typename Target::Levels>* RingShape::StepLevels(const Target& target) const {
    if (!keepsStepWords_) {
        return nullptr;
    }
    LevelTable<Target>& prepared = stepLevels_.For<Target>();
    PrepareOnce(prepared.made, [&] {
        // Indexed by step code; code kNoPixel has levels that are never painted.
        const std::int64_t steps = Layout().count;
        prepared.levels.resize(static_cast<std::size_t>(steps) + 1);
        for (std::int64_t step = 0; step < steps; ++step) {
            const std::uint32_t code = StepCode(step);
            prepared.levels[code] = target.LevelsOf(code);
        }
    });
    // Empty when the preparation failed on another thread.
    return prepared.levels.size() == static_cast<std::size_t>(Layout().count) + 1 ? &prepared.levels
                                                                                  : nullptr;
}

template <class Target>
void RingShape::RenderExactRings(int firstColumn, int firstRow, Target& target,
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

template <class Target>
void RingShape::PaintWith(int firstColumn, int firstRow, Target& target,
                          StepPainter& painter) const {
    if constexpr (std::is_same_v<Target, PlainTarget>) {
        RenderCircle(firstColumn, firstRow, target.Words(), painter);
    } else {
        RenderExactRings(firstColumn, firstRow, target, painter);
    }
}

template void RingShape::PaintWith(int, int, PlainTarget&, StepPainter&) const;
template void RingShape::PaintWith(int, int, DitherTarget&, StepPainter&) const;
template void RingShape::PaintWith(int, int, DeepTarget&, StepPainter&) const;

}  // namespace tonzug
