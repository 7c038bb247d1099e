#pragma once

#include <QString>

class QWidget;

namespace tonzug {

class ParameterForm;

// Saves the gradient the fields describe at full size: kind "BMP", "PNG" or "JPG"
// asks for a file name first, "CLP" puts the picture on the clipboard. Failures are
// told to the user in a message box.
void ExportGradient(QWidget& owner, const ParameterForm& form, const QString& kind);

}  // namespace tonzug
