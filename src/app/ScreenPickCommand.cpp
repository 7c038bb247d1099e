#include "app/ScreenPickCommand.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <memory>
#include <optional>

#include "app/ExportCommand.h"
#include "app/X11ClickPick.h"
#include "color/ColorText.h"
#include "desktop/ColorPickPortal.h"
#include "desktop/ui/PortalColorRequest.h"
#include "desktop/ui/ScreenPixel.h"

namespace tonzug {
namespace {

// Asked only when an X11 screen cannot be read.
constexpr std::chrono::milliseconds kPortalProbeTimeout{1000};
// The pointer is everybody's: a pick that nobody finishes gives it back after a while.
constexpr std::chrono::milliseconds kClickTimeout{60'000};

PortalPick PickThroughPortal() {
    PortalColorRequest request;
    PortalPick result;
    QEventLoop loop;
    request.Start(QString(), [&](PortalPick pick) {
        result = pick;
        loop.quit();
    });
    if (request.Running()) {
        loop.exec();
    }
    return result;
}

PortalPick PickOnX11Screen() {
    if (!ScreenCanBeRead(QCursor::pos())) {
        // XWayland, or a sandbox that shows the program an empty screen.
        return PortalOffersPickColor(kPortalProbeTimeout)
                   ? PickThroughPortal()
                   : PortalPick{PortalPickOutcome::kUnavailable, kNoColor};
    }
    const std::optional<QPoint> click = WaitForClickOnX11Screen(kClickTimeout);
    if (!click) {
        return {PortalPickOutcome::kCancelled, kNoColor};
    }
    const ColorValue color = ScreenPixel(*click);
    return color == kNoColor ? PortalPick{PortalPickOutcome::kUnavailable, kNoColor}
                             : PortalPick{PortalPickOutcome::kPicked, color};
}

bool HasX11Display() {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    return !qEnvironmentVariableIsEmpty("DISPLAY") &&
           (platform.isEmpty() || platform.startsWith(QLatin1String("xcb")));
}

}  // namespace

int RunScreenPickCommand(int argc, char** argv, std::ostream& out, std::ostream& err) {
    const ScreenPickRoute route =
        ScreenPickRouteFor(qEnvironmentVariable("QT_QPA_PLATFORM").toStdString(),
                           qEnvironmentVariable("WAYLAND_DISPLAY").toStdString(),
                           qEnvironmentVariable("XDG_SESSION_TYPE").toStdString());
    PortalPick pick{PortalPickOutcome::kUnavailable, kNoColor};
    if (route == ScreenPickRoute::kPortal) {
        // The portal needs the session bus only, no connection to the display.
        QCoreApplication app(argc, argv);
        pick = PickThroughPortal();
    } else if (HasX11Display()) {
        QGuiApplication app(argc, argv);
        pick = PickOnX11Screen();
    }
    switch (pick.outcome) {
        case PortalPickOutcome::kPicked:
            out << ColorToHex(pick.color, true) << '\n' << std::flush;
            return kExitOk;
        case PortalPickOutcome::kUnavailable:
            err << "tonzug: picking a colour from the screen is not available here\n";
            return kExitFailed;
        case PortalPickOutcome::kCancelled:
            return kExitFailed;
    }
    return kExitFailed;
}

}  // namespace tonzug
