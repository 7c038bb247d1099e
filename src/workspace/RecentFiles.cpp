#include "workspace/RecentFiles.h"

#include <algorithm>
#include <optional>

#include "support/IniFile.h"

namespace tonzug {
namespace {

std::string KeyOf(std::size_t place) {
    return std::to_string(place + 1);
}

std::vector<std::string> RecentFilesOf(const IniDocument& settings) {
    std::vector<std::string> files;
    for (std::size_t place = 0; place < kMaxRecentFiles; ++place) {
        const std::optional<std::string> file = settings.Get(kRecentSection, KeyOf(place));
        if (file && !file->empty()) {
            files.push_back(*file);
        }
    }
    return files;
}

}  // namespace

std::vector<std::string> ReadRecentFiles(const std::string& settingsFile) {
    IniDocument settings;
    settings.Load(settingsFile);
    return RecentFilesOf(settings);
}

bool RememberRecentFile(const std::string& settingsFile, const std::string& file) {
    IniDocument settings;
    if (!settings.Load(settingsFile) && !settings.LoadProblem().empty()) {
        return false;
    }
    std::vector<std::string> files = RecentFilesOf(settings);
    std::erase(files, file);
    files.insert(files.begin(), file);
    files.resize(std::min(files.size(), kMaxRecentFiles));
    for (std::size_t place = 0; place < kMaxRecentFiles; ++place) {
        // A name that the file cannot hold (a line break in it) is not remembered.
        if (!settings.Set(kRecentSection, KeyOf(place),
                          place < files.size() ? files[place] : std::string())) {
            return false;
        }
    }
    return settings.Save(settingsFile);
}

}  // namespace tonzug
