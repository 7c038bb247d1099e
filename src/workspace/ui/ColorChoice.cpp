#include "workspace/ui/ColorChoice.h"

#include "colordlg/ui/ShowColorDialog.h"
#include "workspace/SwatchCommands.h"

namespace tonzug {

void ChooseSwatchColor(QWidget& owner, ColorSwatch& swatch) {
    const ColorValue chosen = ShowColorDialog(&owner, swatch.Color(), BackgroundButton::kHidden,
                                              HtmlRow::kShown, QString());
    ApplyChosenColor(swatch, chosen);
}

}  // namespace tonzug
