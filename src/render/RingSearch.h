#pragma once

#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "render/GradientShape.h"
#include "render/GradientSteps.h"
#include "render/RasterCoverage.h"

namespace tonzug {

// Which ring of a circular gradient covers a pixel last (ring i has radius StepStart(i)),
// found with the raster's own ring predicates instead of drawing ring after ring.
class RingSearch {
  public:
    // The last ring covering a pixel: its step, or -1 when none reaches it, and whether
    // the pixel lies beyond the last ring (and so does the rest of its row).
    struct RingStep {
        std::int64_t step = -1;
        bool beyond = false;
    };
    enum class Limits { kComputed, kTabulated };

    // Rings drawn with pen `pen`; kTabulated keeps every ring's limits, for rings that are
    // few for the pixels that look them up.
    RingSearch(const StepLayout& layout, std::int16_t pen, Limits limits);

    // `step` carries the search from the previous pixel of a row walked outward from the
    // centre; -1 starts afresh.
    RingStep RingStepAt(double distanceSquared, std::int64_t& step) const {
        const std::int64_t lastStep = layout_.count - 1;
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
    // What RingStepAt gives for the last ring whose inner edge reaches the distance.
    RingStep RingStepOf(std::int64_t step, double distanceSquared) const {
        if (step < 0) {
            return {};  // only for a ring size that is no number
        }
        if (!ReachesOutward(step, distanceSquared)) {
            return {-1, step == layout_.count - 1};
        }
        return {step, false};
    }
    // Whether pixels' rings are found each on its own (thin rings), not walked to.
    bool FindsRingsAlone() const { return !(layout_.size >= kWalkingRing); }
    // FindRing for every distance of a row at once (thin rings only).
    void FindRings(std::span<const double> distancesSquared, std::span<std::int64_t> steps) const;
    // What the painter yields for the last ring at or below `step` covering the distance
    // whose colour paints something; kNoPixel when none does.
    std::uint32_t LastPaintedRing(std::int64_t step, double distanceSquared,
                                  StepPainter& painter) const;

  private:
    // With rings this far apart or more, walking outward from pixel to pixel moves the step
    // by a few at most (the distance grows by at most one pixel); thinner rings are found
    // from an estimate.
    static constexpr float kWalkingRing = 0.25f;

    struct RingLimits {
        double inner = 0.0;
        double outer = 0.0;
    };

    float RingRadius(std::int64_t step) const { return layout_.StepStart(step); }
    bool ReachesInward(std::int64_t step, double distanceSquared) const {
        return limits_.empty() ? RingReachesInward(RingRadius(step), halfWidth_, distanceSquared)
                               : limits_[static_cast<std::size_t>(step)].inner <= distanceSquared;
    }
    bool ReachesOutward(std::int64_t step, double distanceSquared) const {
        return limits_.empty() ? RingReachesOutward(RingRadius(step), halfWidth_, distanceSquared)
                               : distanceSquared <= limits_[static_cast<std::size_t>(step)].outer;
    }
    // The last ring whose inner edge reaches the distance. Out of line, as LastPaintedRing:
    // both are rare in a row, and inlined they crowd the registers of the walk.
    std::int64_t FindRing(double distanceSquared) const;

    StepLayout layout_;
    double halfWidth_ = 1.0;
    // The limits (render/RasterCoverage.h) of every ring, when tabulated.
    std::vector<RingLimits> limits_;
};

}  // namespace tonzug
