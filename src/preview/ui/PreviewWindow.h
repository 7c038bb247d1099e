#pragma once

#include "render/GradientParams.h"

class QWidget;

namespace tonzug {

// Opens the modal, maximised full-size view of the gradient and returns when the user
// closes it.
void ShowPreviewWindow(QWidget& owner, const GradientParams& params);

}  // namespace tonzug
