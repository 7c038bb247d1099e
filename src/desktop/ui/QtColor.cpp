#include "desktop/ui/QtColor.h"

#include "color/SystemColors.h"

namespace tonzug {

QColor ToQColor(ColorValue color) {
    const ColorValue plain = TranslateColor(color, 0);
    if (plain == kNoColor) {
        return {};
    }
    return QColor(RedOf(plain), GreenOf(plain), BlueOf(plain));
}

ColorValue FromQColor(const QColor& color) {
    if (!color.isValid()) {
        return kNoColor;
    }
    const QColor rgb = color.toRgb();
    return RgbColor(rgb.red(), rgb.green(), rgb.blue());
}

}  // namespace tonzug
