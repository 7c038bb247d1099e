#include "workspace/WindowSize.h"

#include <algorithm>

#include "support/IniFile.h"

namespace tonzug {
namespace {

constexpr const char* kWidthKey = "BREITE";
constexpr const char* kHeightKey = "HOEHE";
constexpr const char* kMaximisedKey = "MAXIMIERT";

constexpr std::int32_t kMissing = 0;

std::int32_t Fit(std::int32_t side, std::int32_t available, std::int32_t minimum) {
    return std::max(std::min(side, available), std::min(minimum, available));
}

}  // namespace

std::optional<WindowSize> ReadWindowSize(const std::string& settingsFile) {
    IniDocument settings;
    settings.Load(settingsFile);
    const std::optional<IniSection> section = settings.Section(kWindowSection);
    if (!section) {
        return std::nullopt;
    }
    const WindowSize size{
        IniIntValue(section->Get(kWidthKey), kMissing),
        IniIntValue(section->Get(kHeightKey), kMissing),
        IniIntValue(section->Get(kMaximisedKey), 0) == 1 ? WindowState::kMaximised
                                                         : WindowState::kNormal,
    };
    if (size.width <= 0 || size.height <= 0) {
        return std::nullopt;
    }
    return size;
}

bool RememberWindowSize(const std::string& settingsFile, const WindowSize& size) {
    IniDocument settings;
    if (!settings.Load(settingsFile) && !settings.LoadProblem().empty()) {
        return false;
    }
    const bool maximised = size.state == WindowState::kMaximised;
    return settings.Set(kWindowSection, kWidthKey, std::to_string(size.width)) &&
           settings.Set(kWindowSection, kHeightKey, std::to_string(size.height)) &&
           settings.Set(kWindowSection, kMaximisedKey, maximised ? "1" : "0") &&
           settings.Save(settingsFile);
}

WindowSize FitWindowSize(const WindowSize& stored, std::int32_t availableWidth,
                         std::int32_t availableHeight, std::int32_t minimumWidth,
                         std::int32_t minimumHeight) {
    return {Fit(stored.width, availableWidth, minimumWidth),
            Fit(stored.height, availableHeight, minimumHeight), stored.state};
}

}  // namespace tonzug
