#include "colordlg/ui/SystemColorDialog.h"

#include <QColorDialog>

#include "desktop/ui/QtColor.h"

namespace tonzug {

ColorValue ShowSystemColorDialog(QWidget* owner, ColorValue color) {
    // The toolkit's own dialog: the desktop's native one would keep custom colours of
    // its own between calls.
    for (int index = 0; index < QColorDialog::customCount(); ++index) {
        QColorDialog::setCustomColor(index, Qt::white);
    }
    QColorDialog dialog(owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const QColor initial = ToQColor(color);
    if (initial.isValid()) {
        dialog.setCurrentColor(initial);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return kNoColor;
    }
    return FromQColor(dialog.selectedColor());
}

}  // namespace tonzug
