#pragma once

#include "render/GradientParams.h"

class QWidget;

namespace tonzug {

enum class ExportTarget { kBmpFile, kPngFile, kJpegFile, kClipboard };

// Saves the gradient at full size: a file target asks for a file name first, the
// clipboard takes the picture at once. Failures are told to the user in a message box.
void ExportGradient(QWidget& owner, const GradientParams& params, ExportTarget target);

}  // namespace tonzug
