#pragma once

#include <cstdint>
#include <string_view>

#include "workspace/ParameterForm.h"

namespace tonzug {

struct PreviewRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const PreviewRect&, const PreviewRect&) = default;
};

// Fits the preview box to the gradient's aspect inside its container: an upright or
// square gradient takes the container's height, a landscape one its width, and the box
// is centred; in a container of another shape the box shrinks until it fits both ways.
// Width and height come from the fields by the leading-number rule. When
// the aspect cannot be formed (a side of 0), only the side copied from the container
// changes and the other keeps its previous size.
PreviewRect LayoutPreviewBox(std::string_view widthText, std::string_view heightText,
                             std::int32_t containerWidth, std::int32_t containerHeight,
                             const PreviewRect& previous);

// Which middle-colour controls are shown, covered or enabled.
struct MidControlState {
    bool middleColorVisible = false;   // colMid; colMidDummy covers it otherwise
    bool middleBandCovered = false;    // colMidDmy2 over txtMBR
    bool middleButtonEnabled = false;  // cmdMid
    bool sliderEnabled = false;        // scrM
    bool positionCovered = false;      // colMidDmy3 over txtMid and txtM
    bool switchEnabled = false;        // chkMid
    bool huePathEnabled = false;       // the "Farbton" options
    friend bool operator==(const MidControlState&, const MidControlState&) = default;
};

// In RGB, Oklab and OkLCh the middle colour, its button and band appear only with the
// switch on and the position stays editable; in HSL mode every middle control is covered
// or disabled, and the switch keeps its value for a later return. The hue path applies
// where a hue is blended: HSL and OkLCh.
MidControlState ComputeMidControlState(const ParameterForm& form);

}  // namespace tonzug
