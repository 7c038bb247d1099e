#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tonzug {

// "Zuletzt verwendet": the parameter files used last, kept in their own section of the
// settings file, beside the set of "LAST", which older versions read alone.
inline constexpr std::size_t kMaxRecentFiles = 8;
inline constexpr const char* kRecentSection = "ZULETZT";

// Newest first; empty when the settings file holds none or cannot be read.
std::vector<std::string> ReadRecentFiles(const std::string& settingsFile);

// Puts `file` first, once, and keeps the newest kMaxRecentFiles. False when the settings
// file could not be written, or exists and could not be read (it is then left alone).
bool RememberRecentFile(const std::string& settingsFile, const std::string& file);

}  // namespace tonzug
