#include "render/RingSearch.h"

#include <algorithm>

#include "support/Threads.h"

namespace tonzug {
namespace {

// Tables of fewer rings are filled by the calling thread alone.
constexpr std::int64_t kRingsPerPiece = 4096;

}  // namespace

RingSearch::RingSearch(const StepLayout& layout, std::int16_t pen, Limits limits)
    : layout_(layout), halfWidth_(RingHalfWidth(pen)) {
    if (limits != Limits::kTabulated || layout_.count <= 0) {
        return;
    }
    limits_.resize(static_cast<std::size_t>(layout_.count));
    ForPiecesInParallel(layout_.count, kRingsPerPiece, [&](std::int64_t begin, std::int64_t end) {
        for (std::int64_t step = begin; step < end; ++step) {
            limits_[static_cast<std::size_t>(step)] = {
                RingInnerLimit(RingRadius(step), halfWidth_),
                RingOuterLimit(RingRadius(step), halfWidth_)};
        }
    });
}

std::int64_t RingSearch::FindRing(double distanceSquared) const {
    const std::int64_t lastStep = layout_.count - 1;
    const std::int64_t guess =
        StepNear(std::sqrt(distanceSquared) + halfWidth_, layout_.size, lastStep);
    return LastHolding(0, lastStep, guess,
                       [&](std::int64_t s) { return ReachesInward(s, distanceSquared); });
}

std::uint32_t RingSearch::LastPaintedRing(std::int64_t step, double distanceSquared,
                                          StepPainter& painter) const {
    return painter.LastPainted(step,
                               [&](std::int64_t s) { return ReachesOutward(s, distanceSquared); });
}

// Compiled also for processors with AVX2 or AVX-512, whose vector registers check several
// guesses at once; the steps found are the same.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#endif
void RingSearch::FindRings(std::span<const double> distancesSquared,
                           std::span<std::int64_t> steps) const {
    // The estimate from the distance is mostly the step itself: check it for every pixel
    // without branches, and search from it only where it is not.
    constexpr std::int64_t kUnsure = -2;
    const std::int64_t lastStep = layout_.count - 1;
    const std::size_t count = std::min(distancesSquared.size(), steps.size());
    for (std::size_t i = 0; i < count; ++i) {
        const double distanceSquared = distancesSquared[i];
        const std::int64_t guess =
            StepNear(std::sqrt(distanceSquared) + halfWidth_, layout_.size, lastStep);
        const bool holds = RingReachesInward(RingRadius(guess), halfWidth_, distanceSquared);
        const bool nextHolds = (guess < lastStep) & RingReachesInward(RingRadius(guess + 1),
                                                                      halfWidth_, distanceSquared);
        steps[i] = holds & !nextHolds ? guess : kUnsure;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (steps[i] == kUnsure) {
            steps[i] = FindRing(distancesSquared[i]);
        }
    }
}

}  // namespace tonzug
