#include "desktop/ui/PortalColorRequest.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QWidget>
#include <atomic>
#include <optional>

namespace tonzug {
namespace {

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalObject = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenshotInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");

// Handle tokens must be unique within this connection; a counter is enough.
QString NextHandleToken() {
    static std::atomic<unsigned> counter{0};
    return QStringLiteral("tonzug%1").arg(++counter);
}

QDBusMessage VersionQuery() {
    QDBusMessage query = QDBusMessage::createMethodCall(
        kPortalService, kPortalObject, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    query << kScreenshotInterface << QStringLiteral("version");
    return query;
}

bool HasPickColor(const QDBusPendingReply<QDBusVariant>& versionReply) {
    return !versionReply.isError() &&
           versionReply.value().variant().toUInt() >= kFirstPickColorVersion;
}

// results["color"] as (ddd); empty when it is missing or of another type, which a
// broken portal could send.
std::optional<ColorValue> ResponseColor(const QVariantMap& results) {
    const QVariant value = results.value(QStringLiteral("color"));
    if (!value.canConvert<QDBusArgument>()) {
        return std::nullopt;
    }
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ddd)")) {
        return std::nullopt;
    }
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    argument.beginStructure();
    argument >> red >> green >> blue;
    argument.endStructure();
    return PortalColor(red, green, blue);
}

}  // namespace

PortalColorRequest::PortalColorRequest(QObject* parent) : QObject(parent) {
    answerTimer_.setSingleShot(true);
    connect(&answerTimer_, &QTimer::timeout, this, [this] {
        CloseRequest();
        Finish({PortalPickOutcome::kCancelled, kNoColor});
    });
}

void PortalColorRequest::Start(const QString& parentWindow, ResultHandler onResult) {
    if (running_) {
        return;
    }
    running_ = true;
    onResult_ = std::move(onResult);
    answerTimer_.start(answerTimeout_);

    // Older portals have no PickColor; their version tells before anything is shown.
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(VersionQuery()), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, parentWindow](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                if (!running_) {
                    return;
                }
                if (!HasPickColor(*call)) {
                    Finish({PortalPickOutcome::kUnavailable, kNoColor});
                    return;
                }
                CallPickColor(parentWindow);
            });
}

void PortalColorRequest::CallPickColor(const QString& parentWindow) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString token = NextHandleToken();
    // Subscribed before the call: a quick portal may answer before the call returns.
    if (!Subscribe(QString::fromStdString(
            PortalRequestPath(bus.baseService().toStdString(), token.toStdString())))) {
        Finish({PortalPickOutcome::kUnavailable, kNoColor});
        return;
    }
    QDBusMessage pick = QDBusMessage::createMethodCall(
        kPortalService, kPortalObject, kScreenshotInterface, QStringLiteral("PickColor"));
    pick << parentWindow << QVariantMap{{QStringLiteral("handle_token"), token}};
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(pick), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                if (!running_) {
                    return;
                }
                const QDBusPendingReply<QDBusObjectPath> reply = *call;
                if (reply.isError()) {
                    Finish({PortalPickOutcome::kUnavailable, kNoColor});
                    return;
                }
                // Portals older than the handle token choose a path of their own.
                const QString path = reply.value().path();
                if (path != requestPath_) {
                    Unsubscribe();
                    Subscribe(path);
                }
            });
}

bool PortalColorRequest::Subscribe(const QString& path) {
    requestPath_ = path;
    return QDBusConnection::sessionBus().connect(kPortalService, path, kRequestInterface,
                                                 QStringLiteral("Response"), this,
                                                 SLOT(OnResponse(uint, QVariantMap)));
}

void PortalColorRequest::Unsubscribe() {
    if (!requestPath_.isEmpty()) {
        QDBusConnection::sessionBus().disconnect(kPortalService, requestPath_, kRequestInterface,
                                                 QStringLiteral("Response"), this,
                                                 SLOT(OnResponse(uint, QVariantMap)));
    }
}

// Tells a portal that has not answered that nobody waits any more, so its picker goes.
void PortalColorRequest::CloseRequest() {
    if (!requestPath_.isEmpty()) {
        QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(
            kPortalService, requestPath_, kRequestInterface, QStringLiteral("Close")));
    }
}

void PortalColorRequest::OnResponse(uint response, const QVariantMap& results) {
    if (running_) {
        Finish(PortalResponse(response, ResponseColor(results)));
    }
}

void PortalColorRequest::Finish(PortalPick pick) {
    running_ = false;
    answerTimer_.stop();
    Unsubscribe();
    requestPath_.clear();
    if (onResult_) {
        // The handler may start the next request; it must find this one finished.
        const ResultHandler handler = std::move(onResult_);
        onResult_ = nullptr;
        handler(pick);
    }
}

QString PortalWindowIdentifier(const QWidget* widget) {
    if (widget == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return {};
    }
    return QStringLiteral("x11:") + QString::number(widget->window()->winId(), 16);
}

bool PortalOffersPickColor(std::chrono::milliseconds timeout) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    QDBusPendingCall call = bus.asyncCall(VersionQuery(), static_cast<int>(timeout.count()));
    call.waitForFinished();
    return HasPickColor(call);
}

}  // namespace tonzug
