#pragma once

#include <vector>

#include "render/GradientParams.h"
#include "workspace/ParameterForm.h"

namespace tonzug::testing {

// Records what the form hands to its hooks, as a window would receive it.
struct FormProbe {
    explicit FormProbe(ParameterForm& form) {
        form.SetHooks({.drawPreview = [this](const GradientParams& p) { draws.push_back(p); },
                       .layoutPreview = [this] { ++layouts; },
                       .updateMidControls = {}});
    }
    const GradientParams& LastDraw() const { return draws.back(); }
    void Clear() {
        draws.clear();
        layouts = 0;
    }

    std::vector<GradientParams> draws;
    int layouts = 0;
};

}  // namespace tonzug::testing
