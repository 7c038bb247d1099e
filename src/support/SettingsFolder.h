#pragma once

#include <string>

namespace tonzug {

// Folder paths given back here end with "/"; the empty string stands for no folder.

// Removes blanks around the path and appends "/" unless it is empty or ends with one.
std::string AddTrailingSeparator(const std::string& path);
// Drops one final "/" from a path longer than one character ("/" stays "/").
std::string StripTrailingSeparator(const std::string& path);

// Anything (file or folder, links followed) exists under the path; false for "" and ".".
bool PathExists(const std::string& path);
// The path names a folder (links followed).
bool DirectoryFound(const std::string& path);
// DirectoryFound, false for the empty path.
bool FolderExists(const std::string& path);
// A folder that a file dialog may start in: it exists and lies on a real file system. The
// kernel's pseudo file systems (/proc, /sys, /dev) hold special files that a dialog would
// hang on while it reads them.
bool IsDialogFolder(const std::string& path);
// Creates each missing level of the path; true when the folder exists afterwards.
bool CreateFolderPath(const std::string& path);

// The user's configuration folder: $XDG_CONFIG_HOME when set and absolute, else
// $HOME/.config (the home folder from the user database when HOME is unset); empty when
// neither can be had.
std::string UserConfigFolder();
// The fixed system-wide folder of last resort.
std::string SystemConfigFolder();

// The subfolder name of the user's configuration folder, created when missing; the
// configuration folder itself for an empty name; the system-wide folder when the folder
// can neither be found nor created.
std::string GetSettingsFolder(const std::string& name);
// Where the program keeps its settings file.
std::string SettingsFilePath();

}  // namespace tonzug
