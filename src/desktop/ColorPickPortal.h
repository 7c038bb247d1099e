#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "color/ColorValue.h"
#include "support/Translatable.h"

namespace tonzug {

// Where a pick from the screen comes from: the live grab reads the screen under the
// pointer on every move; the desktop portal picks once, with its own magnifier, where a
// Wayland compositor lets no program read the screen.
enum class ScreenPickRoute { kLiveGrab, kPortal };

// The route for this session: the portal when the toolkit talks Wayland, or when the
// session is Wayland (a Wayland display, or the session type "wayland") and the program
// runs through XWayland, whose screen holds only the program's own windows. Empty
// strings stand for unset variables.
ScreenPickRoute ScreenPickRouteFor(std::string_view platformName, std::string_view waylandDisplay,
                                   std::string_view sessionType);

// The first version of org.freedesktop.portal.Screenshot that has PickColor.
inline constexpr std::uint32_t kFirstPickColorVersion = 2;

// A portal that does not answer within this time counts as cancelled, so nothing waits
// for ever on a portal that hangs.
inline constexpr std::chrono::milliseconds kPortalAnswerTimeout{60'000};

// The one-line message when the desktop offers no pick from the screen.
inline constexpr std::string_view kPickUnavailableMessage = TONZUG_TRANSLATABLE(
    "tonzug::ScreenPicker", "Farbwahl vom Bildschirm ist hier nicht verfügbar.");

// The path of the request object that the portal makes for a call with handle_token
// `token` from the bus connection `uniqueName` (":1.42" becomes "1_42"). Knowing it
// before the call lets the caller subscribe to the answer before it can arrive.
std::string PortalRequestPath(std::string_view uniqueName, std::string_view token);

// A portal colour, red, green and blue from 0 to 1, as a colour value: each channel
// times 255, rounded to the nearest (ties to even), values outside 0..1 clamped. Empty
// when a channel is no number.
std::optional<ColorValue> PortalColor(double red, double green, double blue);

// How a pick through the portal ended.
enum class PortalPickOutcome { kPicked, kCancelled, kUnavailable };

struct PortalPick {
    PortalPickOutcome outcome = PortalPickOutcome::kCancelled;
    ColorValue color = kNoColor;  // only for kPicked
};

// The meaning of a Response(response, results) of the portal's request: 0 with a colour
// is a pick; 1 (cancelled by the user), 2 (ended otherwise), any other code, and a
// success without a usable colour change nothing.
PortalPick PortalResponse(std::uint32_t response, std::optional<ColorValue> color);

}  // namespace tonzug
