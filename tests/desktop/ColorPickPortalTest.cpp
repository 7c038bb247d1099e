#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

#include "desktop/ColorPickPortal.h"

namespace tonzug {
namespace {

TEST(ScreenPickRouteFor, PortalOnWaylandAndThroughXWayland) {
    struct Case {
        std::string_view platform, waylandDisplay, sessionType;
        ScreenPickRoute route;
    };
    for (const Case& c : {
             Case{"xcb", "", "x11", ScreenPickRoute::kLiveGrab},
             Case{"offscreen", "", "tty", ScreenPickRoute::kLiveGrab},
             Case{"wayland-egl", "", "", ScreenPickRoute::kPortal},
             Case{"xcb", "wayland-0", "", ScreenPickRoute::kPortal},  // XWayland
             Case{"xcb", "", "wayland", ScreenPickRoute::kPortal},
         }) {
        EXPECT_EQ(ScreenPickRouteFor(c.platform, c.waylandDisplay, c.sessionType), c.route)
            << c.platform << " " << c.waylandDisplay << " " << c.sessionType;
    }
}

TEST(PortalRequestPath, SenderWithoutColonAndDotsAsUnderscores) {
    EXPECT_EQ(PortalRequestPath(":1.42", "tonzug7"),
              "/org/freedesktop/portal/desktop/request/1_42/tonzug7");
}

TEST(PortalColor, RoundsEachChannelTimes255ToTheNearest) {
    struct Case {
        double red, green, blue;
        ColorValue color;
    };
    for (const Case& c : {
             Case{1.0, 0.0, 0.0, RgbColor(255, 0, 0)}, Case{0.2, 0.4, 0.8, RgbColor(51, 102, 204)},
             // 0.5 x 255 = 127.5 goes to the even 128; 0.999 x 255 = 254.7 rounds up.
             Case{0.5, 0.999, 0.0, RgbColor(128, 255, 0)},
             Case{-0.3, 1.7, 0.0, RgbColor(0, 255, 0)},  // clamped, never wrapped
         }) {
        EXPECT_EQ(PortalColor(c.red, c.green, c.blue), std::optional<ColorValue>(c.color));
    }
    EXPECT_EQ(PortalColor(std::nan(""), 0.0, 0.0), std::nullopt);
}

}  // namespace
}  // namespace tonzug
