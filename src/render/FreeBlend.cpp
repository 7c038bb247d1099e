#include "render/FreeBlend.h"

namespace tonzug {

CssColor BlendCssColors(const CssColor& from, const CssColor& to, double t,
                        const InterpolationMethod& /*method*/) {
    const double alpha = from.alpha + (to.alpha - from.alpha) * t;
    if (alpha <= 0.0) {
        return {0.0, 0.0, 0.0, 0.0};
    }
    const auto channel = [&](double a, double b) {
        return ((a * from.alpha) + ((b * to.alpha) - (a * from.alpha)) * t) / alpha;
    };
    return {channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue),
            alpha};
}

}  // namespace tonzug
