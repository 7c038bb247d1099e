#pragma once

#include "export/ExportPicture.h"

class QWidget;

namespace tonzug {

// Opens the modal, maximised full-size view of the gradient and returns when the user
// closes it.
void ShowPreviewWindow(QWidget& owner, const GradientPicture& picture);

}  // namespace tonzug
