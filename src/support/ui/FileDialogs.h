#pragma once

#include <QString>

class QWidget;

namespace tonzug {

// The program's save and open dialogs. typeNames and extensions are "|"-separated
// lists of equal length ("Windows Bitmap|PNG", "bmp|png"); each pair becomes one
// filter entry after the all-files entry, which shows in the language of the windows.
// Both return the chosen path, or an empty string when the user cancels.
QString ShowSaveDialog(QWidget* owner, const QString& typeNames, const QString& extensions,
                       const QString& title, const QString& startFolder,
                       const QString& defaultName);
QString ShowOpenDialog(QWidget* owner, const QString& typeNames, const QString& extensions,
                       const QString& title, const QString& startFolder, const QString& defaultName,
                       int filterIndex);

}  // namespace tonzug
