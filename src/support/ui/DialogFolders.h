#pragma once

#include <QString>

namespace tonzug {

// The kinds of file whose dialogs remember where the user last went.
enum class DialogFolder { kParameterFiles, kPictures };

// The folder that a file dialog for that kind of file starts in: the one last used for
// such a file while it still exists on a real file system, else the user's documents folder
// (pictures folder), else the home folder. Never the program's own folder, which an installed
// program may not write.
QString StartFolder(DialogFolder kind);

// Remembers the folder of a file that was saved or loaded there (never one that failed,
// so a folder that cannot hold files is not offered again), in a section of its own in the settings
// file, so that the parameter set's section holds nothing but the set.
void RememberFolder(DialogFolder kind, const QString& chosenFile);

}  // namespace tonzug
