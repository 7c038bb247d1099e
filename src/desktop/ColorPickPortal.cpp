#include "desktop/ColorPickPortal.h"

#include <algorithm>
#include <cmath>

namespace tonzug {
namespace {

constexpr std::string_view kRequestFolder = "/org/freedesktop/portal/desktop/request/";
constexpr std::uint32_t kResponseSuccess = 0;
constexpr double kChannelMax = 255.0;

std::optional<int> PortalChannel(double fraction) {
    if (std::isnan(fraction)) {
        return std::nullopt;
    }
    // nearbyint rounds in the default mode, ties to even, like every other conversion.
    return static_cast<int>(std::nearbyint(std::clamp(fraction, 0.0, 1.0) * kChannelMax));
}

}  // namespace

ScreenPickRoute ScreenPickRouteFor(std::string_view platformName, std::string_view waylandDisplay,
                                   std::string_view sessionType) {
    const bool waylandToolkit = platformName.starts_with("wayland");
    const bool waylandSession = !waylandDisplay.empty() || sessionType == "wayland";
    return waylandToolkit || waylandSession ? ScreenPickRoute::kPortal : ScreenPickRoute::kLiveGrab;
}

std::string PortalRequestPath(std::string_view uniqueName, std::string_view token) {
    std::string sender(uniqueName.starts_with(':') ? uniqueName.substr(1) : uniqueName);
    std::replace(sender.begin(), sender.end(), '.', '_');
    std::string path(kRequestFolder);
    path += sender;
    path += '/';
    path += token;
    return path;
}

std::optional<ColorValue> PortalColor(double red, double green, double blue) {
    const std::optional<int> r = PortalChannel(red);
    const std::optional<int> g = PortalChannel(green);
    const std::optional<int> b = PortalChannel(blue);
    if (!r || !g || !b) {
        return std::nullopt;
    }
    return RgbColor(*r, *g, *b);
}

PortalPick PortalResponse(std::uint32_t response, std::optional<ColorValue> color) {
    if (response == kResponseSuccess && color.has_value()) {
        return {PortalPickOutcome::kPicked, *color};
    }
    return {PortalPickOutcome::kCancelled, kNoColor};
}

}  // namespace tonzug
