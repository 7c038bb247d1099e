#pragma once

#include "export/ExportPicture.h"
#include "export/SaveResult.h"
#include "render/GradientParams.h"

class QWidget;

namespace tonzug {

enum class ExportTarget { kBmpFile, kPngFile, kJpegFile, kClipboard, kCssClipboard };

// Saves the gradient at full size in the chosen colour depth: a file target asks for a file
// name first (a name ending in .svg, or the SVG type chosen in the dialog, writes an SVG
// picture), the clipboard takes the picture or the CSS declaration at once as text.
// Failures are told to the user in a message box.
void ExportGradient(QWidget& owner, const GradientPicture& picture, ExportTarget target,
                    const ColorDepthChoice& depth = {});

// The message box of a failed export ("GDI Error"), with the reason below the message.
void ShowExportFailure(QWidget& owner, const SaveResult& status);

}  // namespace tonzug
