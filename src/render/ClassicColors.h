#pragma once

#include <cstdint>

#include "color/ColorValue.h"

namespace tonzug {

// The widths of the solid bands, in steps.
struct SolidBands {
    std::int32_t start = 1;
    std::int32_t middle = 1;
    std::int32_t end = 1;

    friend bool operator==(const SolidBands&, const SolidBands&) = default;
};

// The colours along a classic gradient: start and end colour, the middle colour when it
// is switched on, where the middle lies, and the solid bands. The colours are plain RGB:
// a system colour is translated where it enters the model.
struct ClassicColors {
    ColorValue start = kWhite;
    ColorValue end = kBlack;
    ColorValue middle = kWhite;
    bool middleOn = false;
    float middlePercent = 50.0f;  // the middle's place, in percent of the length
    SolidBands bands;

    friend bool operator==(const ClassicColors&, const ClassicColors&) = default;
};

}  // namespace tonzug
