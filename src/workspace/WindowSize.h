#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tonzug {

// The main window's size between runs, in its own section of the settings file beside the
// set of "LAST", whose keys stay as older versions read them.
inline constexpr const char* kWindowSection = "FENSTER";

enum class WindowState { kNormal, kMaximised };

struct WindowSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    // The size above is the one the window returns to from maximised.
    WindowState state = WindowState::kNormal;
    friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

// Nothing when the settings file holds no usable size (missing, unreadable, not positive).
std::optional<WindowSize> ReadWindowSize(const std::string& settingsFile);

// False when the settings file could not be written, or exists and could not be read (it is
// then left alone).
bool RememberWindowSize(const std::string& settingsFile, const WindowSize& size);

// A stored size on the screen it opens on: each side at most the available one and at least
// the window's minimum, where the screen leaves room for it.
WindowSize FitWindowSize(const WindowSize& stored, std::int32_t availableWidth,
                         std::int32_t availableHeight, std::int32_t minimumWidth,
                         std::int32_t minimumHeight);

}  // namespace tonzug
