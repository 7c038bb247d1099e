#pragma once

class QWidget;

namespace tonzug {

class ParameterForm;

// "Einstellungsdatei speichern" / "Einstellungsdatei laden": ask for a parameter file
// and write the form into it, or read it into the form and redraw.
void SaveParameterFileCommand(QWidget& owner, const ParameterForm& form);
void LoadParameterFileCommand(QWidget& owner, ParameterForm& form);

}  // namespace tonzug
