#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/TextHelpers.h"
#include "support/Translatable.h"

namespace tonzug {

// The texts a request is built with; the dialogs show them translated under
// kFileDialogContext.
inline constexpr const char* kFileDialogContext = "tonzug::FileDialogRequest";
inline constexpr const char* kAllFilesText =
    TONZUG_TRANSLATABLE("tonzug::FileDialogRequest", "Alle Dateien");
inline constexpr const char* kDefaultSaveTitle =
    TONZUG_TRANSLATABLE("tonzug::FileDialogRequest", "Datei speichern :");
inline constexpr const char* kDefaultOpenTitle =
    TONZUG_TRANSLATABLE("tonzug::FileDialogRequest", "Datei öffnen :");

// One entry of a file dialog's type list.
struct FileFilter {
    std::string displayText;  // "Bitmap Truecolor (*.bmp)"
    std::string pattern;      // "*.bmp", several joined by ";"
};

enum class FileDialogKind { kOpen, kSave };

// Everything a file dialog needs to be shown, built without any toolkit.
struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::kOpen;
    std::string title;
    std::vector<FileFilter> filters;  // the all-files entry first
    std::int32_t filterIndex = 1;     // 1-based over filters
    std::string startFolder;          // empty: the toolkit's choice
    std::string defaultName;          // empty: none
    std::string defaultExtension;     // appended by the save dialog to a name typed without one
};

// Splits text at each delimiter; the last item needs none. An empty delimiter gives no items.
std::vector<std::string> SplitList(std::string_view text, std::string_view delimiter,
                                   CompareMode mode, bool trim, bool skipEmpty);

// The first of several extensions joined by ";", blanks removed.
std::string FirstExtension(std::string_view extensions);

// typeNames and extensions hold one entry per file type, separated by "|"; entry i of one
// belongs to entry i of the other. An empty title gives the default title.
FileDialogRequest BuildSaveDialogRequest(std::string_view typeNames, std::string_view extensions,
                                         std::string_view title, std::string_view startFolder,
                                         std::string_view defaultName);
// filterIndex is the caller's wish for the preselected entry (1-based, all-files entry
// included); outside the list the first file type is preselected.
FileDialogRequest BuildOpenDialogRequest(std::string_view typeNames, std::string_view extensions,
                                         std::string_view title, std::string_view startFolder,
                                         std::string_view defaultName, std::int32_t filterIndex);

// The first extension of an entry's pattern ("*.htm;*.html" gives "htm"); empty for the
// all-files entry.
std::string FilterExtension(const FileFilter& filter);

// The entry as a Qt name filter: "Bitmap Truecolor (*.bmp)", several patterns separated by
// blanks. "*.*" becomes "*", which matches names without a dot too.
std::string FilterString(const FileFilter& filter);

}  // namespace tonzug
