#pragma once

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/Numbers.h"
#include "workspace/ParameterForm.h"
#include "workspace/ParameterKeys.h"

namespace tonzug::testing {

// The values of every key, as a file holds them.
inline std::vector<std::string> Values(const ParameterForm& form) {
    std::vector<std::string> values;
    for (const ParameterKey& row : kParameterKeys) {
        values.push_back(ControlText(form, row));
    }
    return values;
}

// A set the window can hold and save, built as a user would: colours, size, orientation,
// middle position in percent, and the bands anywhere up to their bounds (len / 3 for the
// start and end band, len / 2 for the middle band).
inline void RandomSet(ParameterForm& form, std::mt19937& random, Orientation orientation) {
    const auto pick = [&random](std::int32_t low, std::int32_t high) {
        return std::uniform_int_distribution<std::int32_t>(low, high)(random);
    };
    form.colStart.SetColor(pick(0, 0xFFFFFF));
    form.colEnd.SetColor(pick(0, 0xFFFFFF));
    form.colMid.SetColor(pick(0, 0xFFFFFF));
    form.chkMid.SetValue(pick(0, 1));
    form.optF.Select(pick(0, 1));
    form.optV.Select(orientation);
    form.txtX.SetText(IntegerText(pick(1, 600)));
    form.txtY.SetText(IntegerText(pick(1, 600)));
    form.txtMid.SetText(IntegerText(pick(0, 100)));
    const std::int32_t length =
        GradientLength(orientation, std::stoi(form.txtX.Text()), std::stoi(form.txtY.Text()));
    const auto band = [&](std::int32_t divisor) {
        const std::int32_t bound = std::max(1, length / divisor);
        return IntegerText(pick(0, 1) == 0 ? bound : pick(1, bound));
    };
    form.txtMBR.SetText(band(2));
    form.txtSBR.SetText(band(3));
    form.txtEBR.SetText(band(3));
}

}  // namespace tonzug::testing
