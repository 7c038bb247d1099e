#pragma once

class QString;
class QWidget;

namespace tonzug {

class ParameterForm;

// "Einstellungsdatei speichern" / "Einstellungsdatei laden": ask for a parameter file
// and write the form into it, or read it into the form and redraw. The dialogs remember
// the folder only when the file was written or read. Each gives the file it wrote or
// read, or nothing.
QString SaveParameterFileCommand(QWidget& owner, const ParameterForm& form);
QString LoadParameterFileCommand(QWidget& owner, ParameterForm& form);

// Writes the form into the named parameter file; a failure is reported over `owner`.
bool SaveParameterFile(QWidget& owner, const ParameterForm& form, const QString& file);

// Reads the named parameter file into the form and redraws, as "Einstellungsdatei laden"
// does once a file is chosen; a file that cannot be read is reported over `owner` and
// leaves the form as it was. True when the file was read.
bool LoadParameterFile(QWidget& owner, ParameterForm& form, const QString& file);

}  // namespace tonzug
