#pragma once

#include <cstdint>
#include <string>

#include "form/FormControls.h"
#include "render/Raster.h"

namespace tonzug {

enum class HslComponent { kHue, kSaturation, kLightness };

// One of the chooser's three HSL fields: its own component runs from 0 at the top row
// to one band short of 240 at the bottom, the two others stay at the given values.
// A small marker sits centred on the row that shows the current value. Observers are
// told after every redraw and marker move; the field has no change handling.
class HslField : public ControlEvents {
  public:
    static constexpr float kMarkerWidth = 9.0f;
    static constexpr float kMarkerHeight = 6.0f;

    HslField(HslComponent component, int width, int height);

    HslComponent Component() const { return component_; }
    const Raster& Picture() const { return picture_; }
    float MarkerTop() const { return markerTop_; }

    // Paints one band per row from the two other components, in the order hue,
    // saturation, lightness with this field's own one left out (0..240 each).
    void Draw(double first, double second);

    // Centres the marker on the row of value v (0..240).
    void PlaceMarker(std::int32_t value);

    // The component value (0..240) at a row position, in single precision as the
    // field's scale gives it.
    float ValueFromY(float y) const;

  private:
    HslComponent component_;
    Raster picture_;
    float markerTop_ = 0.0f;
};

// A field value as the text a click writes: up to seven significant digits, with the
// user's decimal point.
std::string FieldValueText(float value);

}  // namespace tonzug
