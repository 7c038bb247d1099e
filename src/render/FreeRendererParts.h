#pragma once

// The parts of FreeRenderer that its exact pictures and its previews share, for the files that
// paint them; no one else's.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "render/FreeRenderer.h"

namespace tonzug::free_parts {

constexpr double kChannelMax = 255.0;
// Positions are worked out for this many pixels of a row at a time.
constexpr int kPositionsAtOnce = 256;
// Table entries worked out together, on any core: enough that their gamut mappings fill the
// vector lanes.
constexpr std::int64_t kEntriesPerPiece = 1024;

inline ExactColor Premultiplied(const ExactStraight& color) {
    const double share = color.alpha / kChannelMax;
    return {color.color.red * share, color.color.green * share, color.color.blue * share};
}

inline ExactColor LaidOverWhite(const ExactStraight& color) {
    const ExactColor premultiplied = Premultiplied(color);
    const double white = kChannelMax - color.alpha;
    return {premultiplied.red + white, premultiplied.green + white, premultiplied.blue + white};
}

inline ExactColor Between(const ExactColor& a, const ExactColor& b, double t) {
    return {a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t,
            a.blue + (b.blue - a.blue) * t};
}

// Rounds 0..255 to the nearest whole number, ties to even, as nearbyint does: adding and
// taking away 2^52 leaves no bits for a fraction. Inline, where nearbyint is a library call.
inline double RoundedLevel(double value) {
    constexpr double kNoFraction = 4503599627370496.0;  // 2^52
    return (std::clamp(value, 0.0, kChannelMax) + kNoFraction) - kNoFraction;
}

inline std::uint32_t Level(double value) {
    return static_cast<std::uint32_t>(RoundedLevel(value));
}

inline std::uint32_t PlainWord(const ExactColor& color) {
    return 0xFF000000u | (Level(color.red) << 16) | (Level(color.green) << 8) | Level(color.blue);
}

// The lane of a plain cell that becomes the word's top byte.
constexpr float kOpaqueLevel = 255.0f;

// The word 0xAARRGGBB of whole levels 0..255 held as blue, green, red, alpha in four float
// lanes.
template <class FourChannels>
[[gnu::always_inline]] inline std::uint32_t WordOfLevels(FourChannels levels) {
#if defined(__SSE2__)
    // Four conversions and two packings at once, where taking lanes out one by one costs three
    // times as much.
    const __m128i whole = _mm_cvttps_epi32(levels);
    const __m128i halves = _mm_packs_epi32(whole, whole);
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(halves, halves)));
#else
    return (static_cast<std::uint32_t>(levels[3]) << 24) |
           (static_cast<std::uint32_t>(levels[2]) << 16) |
           (static_cast<std::uint32_t>(levels[1]) << 8) | static_cast<std::uint32_t>(levels[0]);
#endif
}

}  // namespace tonzug::free_parts

namespace tonzug {

// Inlined into the pixel loops, as the four below. For a finite position of a line with a
// table.
[[gnu::always_inline]] inline FreeRenderer::TableCell FreeRenderer::CellOf(double position) const {
    const double wrapped = repeats_ ? line_.Wrapped(position) : position;
    const double cell = std::clamp((wrapped - line_.First()) * cellsPerUnit_, 0.0, lastCell_);
    const auto index = static_cast<std::size_t>(cell);
    return TableCell{index, cell - static_cast<double>(index)};
}

[[gnu::always_inline]] inline std::optional<FreeRenderer::TableCell> FreeRenderer::TableCellOf(
    double position) const {
    if (entries_.empty() || !std::isfinite(position)) {
        return std::nullopt;
    }
    const TableCell cell = CellOf(position);
    if (exactCells_[cell.index] != 0) {
        return std::nullopt;
    }
    return cell;
}

template <class OnExact>
void FreeRenderer::ForEachLeftOver(std::span<const std::size_t> pixels,
                                   std::span<const double> positions, OnExact onExact) const {
    if (pixels.empty()) {
        return;
    }
    std::array<std::size_t, free_parts::kPositionsAtOnce> exactPixels;
    std::array<double, free_parts::kPositionsAtOnce> exactPositions;
    std::size_t exactCount = 0;
    for (std::size_t k = 0; k < pixels.size(); ++k) {
        const double position = positions[k];
        if (const ExactStraight* end = EndColorAt(position)) {
            onExact(pixels[k], *end);
        } else if (const std::optional<ExactColor> fine = FineColorAt(position)) {
            // Laid over white already: opaque, it stays as it is.
            onExact(pixels[k], ExactStraight{*fine, free_parts::kChannelMax});
        } else {
            exactPixels[exactCount] = pixels[k];
            exactPositions[exactCount++] = position;
        }
    }
    if (exactCount == 0) {
        return;
    }
    std::array<ExactStraight, free_parts::kPositionsAtOnce> exact;
    ExactStraightsAt(std::span<const double>(exactPositions.data(), exactCount), exact);
    for (std::size_t k = 0; k < exactCount; ++k) {
        onExact(exactPixels[k], exact[k]);
    }
}

}  // namespace tonzug
