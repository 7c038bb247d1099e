#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tonzug {

// The PNG row filters for 8-bit RGB (3 bytes per pixel).
enum class PngFilterType : std::uint8_t { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

// Filters rows the way libpng does by default: each row with the filter whose output has
// the smallest sum of absolute values (bytes read as signed), which suits smooth
// gradients (Up or Sub leave zeros) as well as noisy rows (Paeth).
class PngRowFilter {
  public:
    explicit PngRowFilter(std::size_t rowBytes);

    // Writes the filter type byte and the filtered row (rowBytes + 1 bytes) to `out`.
    // `above` is the row above, all zeros for the top row of the picture.
    void FilterRow(const std::uint8_t* row, const std::uint8_t* above, std::uint8_t* out);

  private:
    std::size_t rowBytes_;
    std::vector<std::uint8_t> best_;
    std::vector<std::uint8_t> trial_;
};

}  // namespace tonzug
