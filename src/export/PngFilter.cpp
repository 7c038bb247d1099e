#include "export/PngFilter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

namespace tonzug {
namespace {

constexpr std::size_t kPixelBytes = 3;
// How often a trial checks whether it has already lost.
constexpr std::size_t kCostCheckBytes = 256;

using Cost = std::uint64_t;
constexpr Cost kNoLimit = std::numeric_limits<Cost>::max();

// A filtered byte's weight in the heuristic: its distance from zero as a signed byte.
inline Cost ByteCost(std::uint8_t value) {
    return value < 128 ? value : 256u - value;
}

inline std::uint8_t PaethPredictor(int left, int above, int aboveLeft) {
    const int estimate = left + above - aboveLeft;
    const int toLeft = std::abs(estimate - left);
    const int toAbove = std::abs(estimate - above);
    const int toAboveLeft = std::abs(estimate - aboveLeft);
    if (toLeft <= toAbove && toLeft <= toAboveLeft) {
        return static_cast<std::uint8_t>(left);
    }
    return static_cast<std::uint8_t>(toAbove <= toAboveLeft ? above : aboveLeft);
}

inline int Left(const std::uint8_t* row, std::size_t i) {
    return i >= kPixelBytes ? row[i - kPixelBytes] : 0;
}

template <PngFilterType kType>
inline std::uint8_t Predict(const std::uint8_t* row, const std::uint8_t* above, std::size_t i) {
    if constexpr (kType == PngFilterType::kNone) {
        return 0;
    } else if constexpr (kType == PngFilterType::kSub) {
        return static_cast<std::uint8_t>(Left(row, i));
    } else if constexpr (kType == PngFilterType::kUp) {
        return above[i];
    } else if constexpr (kType == PngFilterType::kAverage) {
        return static_cast<std::uint8_t>((Left(row, i) + above[i]) / 2);
    } else {
        return PaethPredictor(Left(row, i), above[i], Left(above, i));
    }
}

// Filters the row into `out` and returns the cost; gives up (returning more than `limit`)
// once the cost exceeds `limit`.
template <PngFilterType kType>
Cost FilterWithCost(const std::uint8_t* row, const std::uint8_t* above, std::size_t bytes,
                    std::uint8_t* out, Cost limit) {
    Cost cost = 0;
    for (std::size_t start = 0; start < bytes; start += kCostCheckBytes) {
        const std::size_t end = std::min(bytes, start + kCostCheckBytes);
        for (std::size_t i = start; i < end; ++i) {
            const auto filtered = static_cast<std::uint8_t>(row[i] - Predict<kType>(row, above, i));
            out[i] = filtered;
            cost += ByteCost(filtered);
        }
        if (cost > limit) {
            break;
        }
    }
    return cost;
}

using FilterFunction = Cost (*)(const std::uint8_t*, const std::uint8_t*, std::size_t,
                                std::uint8_t*, Cost);

struct Candidate {
    PngFilterType type;
    FilterFunction filter;
};

// The order of the trials: a tie keeps the earlier filter, and a row that filters to zeros
// ends the search. Up and Sub come first since whole gradients filter to zeros with them.
constexpr Candidate kCandidates[] = {
    {PngFilterType::kUp, FilterWithCost<PngFilterType::kUp>},
    {PngFilterType::kSub, FilterWithCost<PngFilterType::kSub>},
    {PngFilterType::kPaeth, FilterWithCost<PngFilterType::kPaeth>},
    {PngFilterType::kAverage, FilterWithCost<PngFilterType::kAverage>},
    {PngFilterType::kNone, FilterWithCost<PngFilterType::kNone>},
};

}  // namespace

PngRowFilter::PngRowFilter(std::size_t rowBytes)
    : rowBytes_(rowBytes), best_(rowBytes), trial_(rowBytes) {}

void PngRowFilter::FilterRow(const std::uint8_t* row, const std::uint8_t* above,
                             std::uint8_t* out) {
    PngFilterType bestType = PngFilterType::kNone;
    Cost bestCost = kNoLimit;
    for (const Candidate& candidate : kCandidates) {
        const Cost cost = candidate.filter(row, above, rowBytes_, trial_.data(), bestCost);
        if (cost < bestCost) {
            bestCost = cost;
            bestType = candidate.type;
            std::swap(best_, trial_);
            if (cost == 0) {
                break;
            }
        }
    }
    out[0] = static_cast<std::uint8_t>(bestType);
    std::memcpy(out + 1, best_.data(), rowBytes_);
}

}  // namespace tonzug
