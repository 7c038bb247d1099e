#include "support/FileDialogRequest.h"

namespace tonzug {
namespace {

constexpr std::string_view kAllFilesPattern = "*.*";

// All files first, then one entry per file type. With lists of different lengths only the
// first type is offered.
std::vector<FileFilter> BuildFilters(std::string_view typeNames, std::string_view extensions) {
    std::vector<FileFilter> filters{
        {std::string(kAllFilesText) + " (" + std::string(kAllFilesPattern) + ")",
         std::string(kAllFilesPattern)}};
    if (typeNames.empty()) {
        return filters;
    }
    std::vector<std::string> names = SplitList(typeNames, "|", CompareMode::kExact, true, false);
    std::vector<std::string> types = SplitList(extensions, "|", CompareMode::kExact, true, false);
    if (names.size() != types.size()) {
        names.resize(1);
        types.resize(1, std::string());
    }
    for (std::size_t index = 0; index < names.size(); ++index) {
        filters.push_back({names[index] + " (*." + types[index] + ")", "*." + types[index]});
    }
    return filters;
}

std::string CleanName(std::string_view name) {
    return (name == "." || name == "..") ? std::string() : std::string(name);
}

FileDialogRequest BuildRequest(FileDialogKind kind, std::string_view typeNames,
                               std::string_view extensions, std::string_view title,
                               std::string_view startFolder, std::string_view defaultName) {
    FileDialogRequest request;
    request.kind = kind;
    request.title = std::string(
        title.empty() ? (kind == FileDialogKind::kSave ? kDefaultSaveTitle : kDefaultOpenTitle)
                      : title);
    request.filters = BuildFilters(typeNames, extensions);
    request.filterIndex = request.filters.size() > 1 ? 2 : 1;
    request.startFolder = CleanName(startFolder);
    ReplaceAll(request.startFolder, "\\", "/", CompareMode::kExact);
    request.defaultName = CleanName(defaultName);
    if (!extensions.empty()) {
        // The first type's: "png|svg" appends "png" to a bare name.
        request.defaultExtension = FirstExtension(extensions.substr(0, extensions.find('|')));
    }
    return request;
}

}  // namespace

std::vector<std::string> SplitList(std::string_view text, std::string_view delimiter,
                                   CompareMode mode, bool trim, bool skipEmpty) {
    std::vector<std::string> items;
    if (delimiter.empty()) {
        return items;
    }
    const std::string closed = std::string(text) + std::string(delimiter);
    std::size_t itemStart = 0;
    std::size_t position = 0;
    while (position + delimiter.size() <= closed.size()) {
        if (!TextEquals(std::string_view(closed).substr(position, delimiter.size()), delimiter,
                        mode)) {
            ++position;
            continue;
        }
        std::string item = closed.substr(itemStart, position - itemStart);
        if (trim) {
            item = TrimBlanks(item);
        }
        if (!item.empty() || !skipEmpty) {
            items.push_back(std::move(item));
        }
        position += delimiter.size();
        itemStart = position;
    }
    return items;
}

std::string FirstExtension(std::string_view extensions) {
    return TrimBlanks(extensions.substr(0, extensions.find(';')));
}

FileDialogRequest BuildSaveDialogRequest(std::string_view typeNames, std::string_view extensions,
                                         std::string_view title, std::string_view startFolder,
                                         std::string_view defaultName) {
    return BuildRequest(FileDialogKind::kSave, typeNames, extensions, title, startFolder,
                        defaultName);
}

FileDialogRequest BuildOpenDialogRequest(std::string_view typeNames, std::string_view extensions,
                                         std::string_view title, std::string_view startFolder,
                                         std::string_view defaultName, std::int32_t filterIndex) {
    FileDialogRequest request =
        BuildRequest(FileDialogKind::kOpen, typeNames, extensions, title, startFolder, defaultName);
    if (filterIndex >= 1 && static_cast<std::size_t>(filterIndex) <= request.filters.size()) {
        request.filterIndex = filterIndex;
    }
    return request;
}

std::string FilterExtension(const FileFilter& filter) {
    if (filter.pattern == kAllFilesPattern || filter.pattern.rfind("*.", 0) != 0) {
        return {};
    }
    return FirstExtension(std::string_view(filter.pattern).substr(2));
}

std::string FilterString(const FileFilter& filter) {
    std::string name = filter.displayText;
    const std::size_t details = name.rfind(" (");
    if (details != std::string::npos && name.back() == ')') {
        name.erase(details);
    }
    std::string patterns;
    for (const std::string& pattern :
         SplitList(filter.pattern, ";", CompareMode::kExact, true, true)) {
        patterns += (patterns.empty() ? "" : " ") +
                    (pattern == kAllFilesPattern ? std::string("*") : pattern);
    }
    return name + " (" + patterns + ")";
}

}  // namespace tonzug
