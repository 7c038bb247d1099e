#pragma once

class QWidget;

namespace tonzug {

class ParameterForm;

// Opens the modal, maximised full-size view of the gradient the fields describe and
// returns when the user closes it.
void ShowPreviewWindow(QWidget& owner, const ParameterForm& form);

}  // namespace tonzug
