#include "export/PngFilter.h"

#include <cstring>

namespace tonzug {

void FilterPngRow(const std::uint8_t* row, const std::uint8_t* above, std::size_t rowBytes,
                  std::size_t pixelBytes, std::uint8_t* out) {
    std::uint8_t* filtered = out + 1;
    if (above == nullptr) {
        out[0] = static_cast<std::uint8_t>(PngFilterType::kSub);
        for (std::size_t i = 0; i < rowBytes; ++i) {
            filtered[i] =
                static_cast<std::uint8_t>(i < pixelBytes ? row[i] : row[i] - row[i - pixelBytes]);
        }
        return;
    }
    if (std::memcmp(row, above, rowBytes) == 0) {
        out[0] = static_cast<std::uint8_t>(PngFilterType::kUp);
        std::memset(filtered, 0, rowBytes);
        return;
    }
    // Every pixel equals its left neighbour exactly when the row equals itself shifted
    // by one pixel.
    const bool oneColour =
        rowBytes <= pixelBytes || std::memcmp(row, row + pixelBytes, rowBytes - pixelBytes) == 0;
    if (oneColour) {
        out[0] = static_cast<std::uint8_t>(PngFilterType::kSub);
        const std::size_t first = rowBytes < pixelBytes ? rowBytes : pixelBytes;
        std::memcpy(filtered, row, first);
        std::memset(filtered + first, 0, rowBytes - first);
        return;
    }
    out[0] = static_cast<std::uint8_t>(PngFilterType::kUp);
    for (std::size_t i = 0; i < rowBytes; ++i) {
        filtered[i] = static_cast<std::uint8_t>(row[i] - above[i]);
    }
}

}  // namespace tonzug
