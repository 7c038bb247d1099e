#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "render/GradientShape.h"
#include "render/GradientSteps.h"
#include "render/PixelTargets.h"
#include "render/RingSearch.h"

namespace tonzug {

// A circular gradient: step i is a ring of radius StepStart(i) about the surface's centre,
// drawn with pen `pen`. Pixels mirrored about the centre lines (and, for a whole surface,
// about the diagonal) share their ring; rings few for the pixels keep tables of their words
// and limits.
class RingShape final : public PaintsEveryTarget<RingShape> {
  public:
    RingShape(const StepLayout& layout, std::int16_t pen);

    template <class Target>
    void PaintWith(int firstColumn, int firstRow, Target& target, StepPainter& painter) const;
    bool WantsStepWords() const override { return keepsStepWords_; }

  private:
    // What the rings make of one pixel: its word (kNoPixel when none paints it), and
    // whether it lies beyond the outermost ring.
    struct RingHit {
        std::uint32_t word = kNoPixel;
        bool beyond = false;
    };
    // The levels of every step in an unrounded output, made on first use and shared by
    // all bands.
    template <class Target>
    struct LevelTable {
        std::once_flag made;
        std::vector<typename Target::Levels> levels;
    };

    RingHit RingWord(double distanceSquared, std::int64_t& step, StepPainter& painter) const;
    // Paints words (pixels, or the step codes of an unrounded output) into `band`.
    void RenderCircle(int firstColumn, int firstRow, WordRows band, StepPainter& painter) const;
    // Paints surface row y into the band row `row` (and `mirrorRow`), which hold the surface
    // columns firstColumn .. firstColumn + columns - 1.
    void PaintRingRow(std::int64_t y, std::uint32_t* row, std::uint32_t* mirrorRow, int firstColumn,
                      int columns, StepPainter& painter) const;
    // The whole surface at once, each pixel shared with the one mirrored at the diagonal.
    void PaintRingOctants(WordRows surface, StepPainter& painter) const;
    bool MirrorsExactly() const;
    int SurfaceWidth() const { return Layout().surfaceWidth; }
    int SurfaceHeight() const { return Layout().surfaceHeight; }
    // The rings of an unrounded output: their step codes, painted as RenderCircle paints
    // words, turned into the target's pixels.
    template <class Target>
    void RenderExactRings(int firstColumn, int firstRow, Target& target,
                          StepPainter& painter) const;
    // The levels of every step when the painter keeps the steps' words; null otherwise.
    template <class Target>
    const std::vector<typename Target::Levels>* StepLevels(const Target& target) const;

    bool keepsStepWords_ = false;
    RingSearch search_;
    float centreX_ = 0.0f;
    float centreY_ = 0.0f;
    mutable PerExactTarget<LevelTable> stepLevels_;
};

}  // namespace tonzug
