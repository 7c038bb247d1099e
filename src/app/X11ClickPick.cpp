#include "app/X11ClickPick.h"

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>
#include <cstdlib>
#include <cstring>

namespace tonzug {
namespace {

// The crosshair of the X cursor font.
constexpr std::uint16_t kCrosshairGlyph = 34;
constexpr std::uint16_t kWhite = 0xFFFF;
// A window manager may hold the pointer a moment longer, while the key of a shortcut
// that started the pick is still down.
constexpr int kGrabAttempts = 20;
constexpr std::chrono::milliseconds kGrabRetryDelay{50};
constexpr std::uint8_t kLeftButton = 1;
constexpr std::uint8_t kEventTypeMask = 0x7F;  // the high bit marks synthetic events

// Sees the pointer and key events of the grab before the toolkit, which knows no window
// for them and would drop them.
class ClickFilter : public QAbstractNativeEventFilter {
  public:
    explicit ClickFilter(QEventLoop& loop) : loop_(loop) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message,
                           qintptr* /*result*/) override {
        if (eventType != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type & kEventTypeMask) {
            case XCB_BUTTON_PRESS: {
                xcb_button_press_event_t press{};
                std::memcpy(&press, event, sizeof(press));
                if (press.detail == kLeftButton) {
                    // The pointer stands where it was clicked; the toolkit gives the point
                    // in its own (scaled) coordinates.
                    point_ = QCursor::pos();
                }
                loop_.quit();
                return true;
            }
            case XCB_KEY_PRESS:
                loop_.quit();
                return true;
            default:
                return false;
        }
    }

    std::optional<QPoint> Point() const { return point_; }

  private:
    QEventLoop& loop_;
    std::optional<QPoint> point_;
};

xcb_cursor_t CreateCrosshair(xcb_connection_t* connection) {
    const xcb_font_t font = xcb_generate_id(connection);
    constexpr char kCursorFont[] = "cursor";
    xcb_open_font(connection, font, sizeof(kCursorFont) - 1, kCursorFont);
    const xcb_cursor_t cursor = xcb_generate_id(connection);
    xcb_create_glyph_cursor(connection, cursor, font, font, kCrosshairGlyph, kCrosshairGlyph + 1, 0,
                            0, 0, kWhite, kWhite, kWhite);
    xcb_close_font(connection, font);
    return cursor;
}

bool GrabPointer(xcb_connection_t* connection, xcb_window_t root, xcb_cursor_t cursor) {
    for (int attempt = 0; attempt < kGrabAttempts; ++attempt) {
        const xcb_grab_pointer_cookie_t cookie =
            xcb_grab_pointer(connection, 0, root, XCB_EVENT_MASK_BUTTON_PRESS, XCB_GRAB_MODE_ASYNC,
                             XCB_GRAB_MODE_ASYNC, XCB_NONE, cursor, XCB_CURRENT_TIME);
        xcb_grab_pointer_reply_t* reply = xcb_grab_pointer_reply(connection, cookie, nullptr);
        const bool grabbed = reply != nullptr && reply->status == XCB_GRAB_STATUS_SUCCESS;
        std::free(reply);
        if (grabbed) {
            return true;
        }
        QThread::msleep(static_cast<unsigned long>(kGrabRetryDelay.count()));
    }
    return false;
}

}  // namespace

std::optional<QPoint> WaitForClickOnX11Screen(std::chrono::milliseconds timeout) {
    auto* x11 = qGuiApp == nullptr ? nullptr
                                   : qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return std::nullopt;
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_cursor_t cursor = CreateCrosshair(connection);
    std::optional<QPoint> point;
    if (GrabPointer(connection, root, cursor)) {
        // The keyboard only for cancelling; a pick works without it.
        xcb_grab_keyboard(connection, 0, root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC,
                          XCB_GRAB_MODE_ASYNC);
        xcb_flush(connection);
        QEventLoop loop;
        ClickFilter filter(loop);
        QCoreApplication::instance()->installNativeEventFilter(&filter);
        QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
        loop.exec();
        QCoreApplication::instance()->removeNativeEventFilter(&filter);
        point = filter.Point();
        xcb_ungrab_keyboard(connection, XCB_CURRENT_TIME);
        xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
    }
    xcb_free_cursor(connection, cursor);
    xcb_flush(connection);
    return point;
}

}  // namespace tonzug
