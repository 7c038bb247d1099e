#pragma once

#include <array>
#include <cstdint>

namespace tonzug {

// The threshold mask of the dithered output: a 64 x 64 tile of blue noise that holds every
// rank 0..4095 once, laid over the picture from its top-left pixel. Its rows and columns
// each spread their ranks almost as evenly as the whole tile, so a row of a vertical
// gradient keeps the mean of its value. Made by tools/blue-noise/GenerateBlueNoiseMask.cpp.
inline constexpr int kBlueNoiseSide = 64;
inline constexpr int kBlueNoiseCells = kBlueNoiseSide * kBlueNoiseSide;

extern const std::array<std::uint16_t, kBlueNoiseCells> kBlueNoiseRanks;

// The ranks of the mask row that lies on picture row y >= 0.
inline const std::uint16_t* BlueNoiseRankRow(std::int64_t y) {
    constexpr std::int64_t kWrap = kBlueNoiseSide - 1;
    return kBlueNoiseRanks.data() + static_cast<std::size_t>((y & kWrap) * kBlueNoiseSide);
}

// The rank at picture pixel (x, y), x and y >= 0.
inline std::int32_t BlueNoiseRank(std::int64_t x, std::int64_t y) {
    constexpr std::int64_t kWrap = kBlueNoiseSide - 1;
    return kBlueNoiseRanks[static_cast<std::size_t>((y & kWrap) * kBlueNoiseSide + (x & kWrap))];
}

}  // namespace tonzug
