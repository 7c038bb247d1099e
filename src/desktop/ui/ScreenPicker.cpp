#include "desktop/ui/ScreenPicker.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWidget>

#include "desktop/ui/PortalColorRequest.h"
#include "desktop/ui/ScreenPixel.h"

namespace tonzug {
namespace {

// Asked only when the screen cannot be read on X11, so a press never waits long.
constexpr std::chrono::milliseconds kPortalProbeTimeout{500};

// The route for a press at `globalPos`: this session's, and the portal also where an X11
// screen gives nothing (XWayland seen as X11, a sandbox) but a portal can pick.
ScreenPickRoute RouteForPress(QPoint globalPos) {
    const ScreenPickRoute route = SessionScreenPickRoute();
    if (route == ScreenPickRoute::kLiveGrab && !ScreenCanBeRead(globalPos) &&
        PortalOffersPickColor(kPortalProbeTimeout)) {
        return ScreenPickRoute::kPortal;
    }
    return route;
}

}  // namespace

ScreenPickRoute SessionScreenPickRoute() {
    return ScreenPickRouteFor(QGuiApplication::platformName().toStdString(),
                              qEnvironmentVariable("WAYLAND_DISPLAY").toStdString(),
                              qEnvironmentVariable("XDG_SESSION_TYPE").toStdString());
}

QString ScreenPickHint() {
    if (SessionScreenPickRoute() == ScreenPickRoute::kPortal) {
        return ScreenPicker::tr(
            "Klicken oder ziehen: Farbe vom Bildschirm aufnehmen (mit der Lupe des Desktops, "
            "ohne Live-Vorschau)");
    }
    return ScreenPicker::tr(
        "Mit gedrückter Maustaste ziehen: Farbe vom Bildschirm aufnehmen (Esc bricht ab)");
}

ScreenPicker::ScreenPicker(QWidget& source, ColorSource currentColor, PickHandler onPick)
    : QObject(&source),
      source_(&source),
      currentColor_(std::move(currentColor)),
      onPick_(std::move(onPick)) {
    source.installEventFilter(this);
    // A second click within the double-click time is no new pick.
    pendingPortalPick_.setSingleShot(true);
    pendingPortalPick_.setInterval(QApplication::doubleClickInterval());
    connect(&pendingPortalPick_, &QTimer::timeout, this, &ScreenPicker::StartPortalPick);
}

ScreenPicker::~ScreenPicker() = default;

void ScreenPicker::Start() {
    picking_ = true;
    moved_ = false;
    colorBeforePick_ = currentColor_ ? currentColor_() : kNoColor;
    source_->grabMouse(Qt::CrossCursor);
    // The keyboard too, so that Escape reaches the picker whichever widget has the focus.
    source_->grabKeyboard();
}

void ScreenPicker::Stop() {
    if (!picking_) {
        return;
    }
    picking_ = false;
    if (source_ != nullptr) {
        source_->releaseKeyboard();
        source_->releaseMouse();
    }
}

void ScreenPicker::Cancel() {
    Stop();
    if (onPick_ && colorBeforePick_ != kNoColor) {
        onPick_(colorBeforePick_);
    }
}

void ScreenPicker::StartPortalPick() {
    if (portalRequest_ != nullptr || source_ == nullptr) {
        return;
    }
    portalRequest_ = new PortalColorRequest(this);
    portalRequest_->SetAnswerTimeout(portalTimeout_);
    portalRequest_->Start(PortalWindowIdentifier(source_), [this](PortalPick pick) {
        portalRequest_->deleteLater();
        portalRequest_ = nullptr;
        switch (pick.outcome) {
            case PortalPickOutcome::kPicked:
                if (onPick_) {
                    onPick_(pick.color);
                }
                break;
            case PortalPickOutcome::kUnavailable:
                ShowUnavailable();
                break;
            case PortalPickOutcome::kCancelled:
                break;
        }
    });
}

void ScreenPicker::ShowUnavailable() {
    if (source_ == nullptr) {
        return;
    }
    // Not modal in the event loop: the pick ends here, whatever the user does with it.
    auto* box =
        new QMessageBox(QMessageBox::Information, QStringLiteral("Tonzug"),
                        tr(kPickUnavailableMessage.data()), QMessageBox::Ok, source_->window());
    box->setObjectName(QStringLiteral("pickUnavailable"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

bool ScreenPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched != source_) {
        return QObject::eventFilter(watched, event);
    }
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) && !picking_) {
        gestureRoute_ = RouteForPress(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
    }
    const bool handled = gestureRoute_ == ScreenPickRoute::kPortal ? FilterPortalGesture(event)
                                                                   : FilterLiveGrab(event);
    return handled || QObject::eventFilter(watched, event);
}

bool ScreenPicker::FilterPortalGesture(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            secondClick_ = pendingPortalPick_.isActive();
            return true;
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return true;
        case QEvent::MouseButtonRelease:
            // One pick at a time; the second click of a double-click starts none.
            if (portalRequest_ == nullptr && !secondClick_) {
                pendingPortalPick_.start();
            }
            secondClick_ = false;
            return true;
        case QEvent::Hide:
            CancelPendingPick();
            return false;
        default:
            return false;
    }
}

bool ScreenPicker::FilterLiveGrab(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            Start();
            return true;
        case QEvent::MouseButtonDblClick:
            Start();
            moved_ = true;  // the first click of the two has done what a click does
            return true;
        case QEvent::MouseMove:
            if (picking_) {
                moved_ = true;
                pickPoint_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
                if (onPick_) {
                    onPick_(ScreenPixel(pickPoint_));
                }
            }
            return true;
        case QEvent::MouseButtonRelease: {
            const bool clicked = picking_ && !moved_;
            Stop();
            if (clicked && onClick_) {
                // A dialog it opens must not start inside the mouse handling.
                QTimer::singleShot(0, this, onClick_);
            }
            return true;
        }
        case QEvent::KeyPress:
            if (picking_ && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                Cancel();
                return true;
            }
            return false;
        // A hidden source loses its grab without a release.
        case QEvent::Hide:
            Stop();
            return false;
        default:
            return false;
    }
}

}  // namespace tonzug
