#include "color/HuePath.h"

#include <cmath>

namespace tonzug {

HuePath HuePathFromKey(std::int32_t key) {
    if (key < static_cast<std::int32_t>(HuePath::kDirect) ||
        key > static_cast<std::int32_t>(HuePath::kDecreasing)) {
        return HuePath::kDirect;
    }
    return static_cast<HuePath>(key);
}

double NormalizeHue(double degrees) {
    double hue = std::fmod(degrees, 360.0);
    if (hue < 0.0) {
        hue += 360.0;  // a tiny negative hue rounds up to 360 here
    }
    return hue >= 360.0 ? 0.0 : hue;
}

HuePair AdjustHues(double from, double to, HuePath path) {
    if (std::isnan(from)) {
        from = to;
    } else if (std::isnan(to)) {
        to = from;
    }
    if (path == HuePath::kDirect || std::isnan(from)) {
        return {from, to};
    }
    from = NormalizeHue(from);
    to = NormalizeHue(to);
    const double difference = to - from;
    switch (path) {
        case HuePath::kShorter:
            if (difference > 180.0) {
                from += 360.0;
            } else if (difference < -180.0) {
                to += 360.0;
            }
            break;
        case HuePath::kLonger:
            if (difference > 0.0 && difference < 180.0) {
                from += 360.0;
            } else if (difference > -180.0 && difference <= 0.0) {
                to += 360.0;
            }
            break;
        case HuePath::kIncreasing:
            if (difference < 0.0) {
                to += 360.0;
            }
            break;
        case HuePath::kDecreasing:
            if (difference > 0.0) {
                from += 360.0;
            }
            break;
        case HuePath::kDirect:
            break;
    }
    return {from, to};
}

HuePair HslHuesForPath(const HslColor& from, const HslColor& to, HuePath path) {
    if (path == HuePath::kDirect) {
        return {from.hue, to.hue};
    }
    if (from.saturation == 0.0 && to.saturation == 0.0) {
        return {0.0, 0.0};  // two greys: the hue plays no part
    }
    const double noHue = std::nan("");
    return AdjustHues(from.saturation == 0.0 ? noHue : from.hue,
                      to.saturation == 0.0 ? noHue : to.hue, path);
}

}  // namespace tonzug
