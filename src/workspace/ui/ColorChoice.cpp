#include "workspace/ui/ColorChoice.h"

#include <QColorDialog>

#include "support/ui/QtColor.h"
#include "workspace/SwatchCommands.h"

namespace tonzug {

// The toolkit's colour dialog stands in until the program's own chooser takes over.
void ChooseSwatchColor(QWidget& owner, ParameterForm& form, ColorSwatch& swatch) {
    const QColor chosen = QColorDialog::getColor(ToQColor(swatch.Color()), &owner);
    ApplyChosenColor(form, swatch, FromQColor(chosen));
}

}  // namespace tonzug
