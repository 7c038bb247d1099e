#pragma once

#include <limits>

#include "color/HuePath.h"
#include "color/Oklab.h"
#include "color/PerceptualBlend.h"

// Reference values made by colorjs.io, an implementation independent of ours.
namespace tonzug::reference {

constexpr double kNoHue = std::numeric_limits<double>::quiet_NaN();

struct ConversionReference {
    const char* name;
    RgbTriple srgb;
    OklabColor lab;
    OklchColor lch;
};

struct GamutReference {
    OklchColor lch;
    RgbTriple srgb;
};

struct BlendReference {
    const char* name;
    RgbTriple from;
    RgbTriple to;
    BlendSpace space;
    HuePath path;
    double t;
    RgbTriple srgb;
};

#include "color/OklabReference.inc"

}  // namespace tonzug::reference
