#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>
#include <chrono>
#include <functional>

#include "desktop/ColorPickPortal.h"

class QWidget;

namespace tonzug {

// One pick of a colour from the screen through the desktop portal
// (org.freedesktop.portal.Screenshot.PickColor on the session bus). The portal shows its
// own magnifier and answers once; the handler hears the outcome exactly once: a colour, a
// cancel (also when the portal does not answer in time), or that no portal with
// PickColor is there.
class PortalColorRequest : public QObject {
    Q_OBJECT

  public:
    using ResultHandler = std::function<void(PortalPick)>;

    explicit PortalColorRequest(QObject* parent = nullptr);

    // How long an unanswered request waits before it counts as cancelled.
    void SetAnswerTimeout(std::chrono::milliseconds timeout) { answerTimeout_ = timeout; }

    // Starts the pick. `parentWindow` is the portal's window identifier of the window
    // that asks ("x11:<hex id>"), or empty. Call once per request.
    void Start(const QString& parentWindow, ResultHandler onResult);

    bool Running() const { return running_; }

  private slots:
    // D-Bus signals reach only slots named by their signature.
    void OnResponse(uint response, const QVariantMap& results);

  private:
    void CallPickColor(const QString& parentWindow);
    bool Subscribe(const QString& path);
    void Unsubscribe();
    void CloseRequest();
    void Finish(PortalPick pick);

    ResultHandler onResult_;
    std::chrono::milliseconds answerTimeout_ = kPortalAnswerTimeout;
    QTimer answerTimer_;
    QString requestPath_;
    bool running_ = false;
};

// The portal's identifier of a window of this program: "x11:" and the window id in hex
// on X11; empty where the window system has no identifier that the portal takes.
QString PortalWindowIdentifier(const QWidget* widget);

// Whether a portal with PickColor answers on the session bus within `timeout`.
bool PortalOffersPickColor(std::chrono::milliseconds timeout);

}  // namespace tonzug
