#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

#include "color/ColorValue.h"
#include "desktop/ColorPickPortal.h"

class QWidget;

namespace tonzug {

class PortalColorRequest;

// Colour picking from the screen, started from a widget.
//
// Live grab (X11): a press (any button) grabs the mouse, so that moves keep arriving
// wherever the pointer goes; every move then hands the colour under the pointer
// (ScreenPixel, possibly kNoColor) to the callback; the release ends it. A press and
// release without a move picks nothing. Escape during the pick ends it and hands back
// the colour from before the press, so a wrong pick is undone at once.
//
// Portal (Wayland, or where the screen cannot be read): a click or a drag on the widget
// starts one pick through the desktop portal once the button is released; the picked
// colour reaches the callback in one step, a cancel changes nothing, and where no portal
// can pick a short message says so.
class ScreenPicker : public QObject {
    Q_OBJECT

  public:
    using PickHandler = std::function<void(ColorValue)>;
    using ColorSource = std::function<ColorValue()>;

    // Watches `source` through an event filter; the picker is a child of the source.
    // `currentColor` gives the colour that an Escape puts back.
    ScreenPicker(QWidget& source, ColorSource currentColor, PickHandler onPick);
    ~ScreenPicker() override;

    bool Picking() const { return picking_; }
    // Live grab: a press and release without a move calls this (after the release has
    // been handled), as a click on the source would.
    void SetClickHandler(std::function<void()> onClick) { onClick_ = std::move(onClick); }
    // Where the last pick read the screen (global coordinates).
    QPoint PickPoint() const { return pickPoint_; }

    // Drops a portal pick that waits for a possible second click, for a widget on which
    // a double-click means something else.
    void CancelPendingPick() { pendingPortalPick_.stop(); }

    // How long a portal pick waits for an answer (tests shorten it).
    void SetPortalAnswerTimeout(std::chrono::milliseconds timeout) { portalTimeout_ = timeout; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool FilterLiveGrab(QEvent* event);
    bool FilterPortalGesture(QEvent* event);
    void Start();
    void Stop();
    void Cancel();
    void StartPortalPick();
    void ShowUnavailable();

    QPointer<QWidget> source_;
    ColorSource currentColor_;
    PickHandler onPick_;
    bool picking_ = false;
    // Whether the pointer moved since the press: the press was a drag, not a click.
    bool moved_ = false;
    std::function<void()> onClick_;
    ColorValue colorBeforePick_ = kNoColor;
    QPoint pickPoint_;

    // The route of the gesture that is under way, chosen at its press.
    ScreenPickRoute gestureRoute_ = ScreenPickRoute::kLiveGrab;
    QTimer pendingPortalPick_;
    bool secondClick_ = false;
    QPointer<PortalColorRequest> portalRequest_;
    std::chrono::milliseconds portalTimeout_ = kPortalAnswerTimeout;
};

// The route that picks take in this session (from the toolkit's platform and the
// environment).
ScreenPickRoute SessionScreenPickRoute();

// The tooltip text that explains the gesture of this session's route.
QString ScreenPickHint();

}  // namespace tonzug
