#include "colordlg/ui/ShowColorDialog.h"

#include <memory>

#include "colordlg/ui/ColorDialog.h"

namespace tonzug {

ColorValue ShowColorDialog(QWidget* owner, ColorValue color, BackgroundButton background,
                           HtmlRow html, const QString& caption) {
    const auto dialog = std::make_unique<ColorDialog>(owner);
    if (!caption.isEmpty()) {
        dialog->setWindowTitle(caption);
    }
    dialog->Form().SetStartColor(color);
    dialog->SetBackVisible(background == BackgroundButton::kShown);
    dialog->SetHtmlVisible(html == HtmlRow::kShown);
    dialog->Initialize();
    dialog->exec();
    return dialog->Form().Result();
}

}  // namespace tonzug
