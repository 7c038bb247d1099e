#include "support/ui/ScreenPicker.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

#include "support/ui/ScreenPixel.h"

namespace tonzug {

ScreenPicker::ScreenPicker(QWidget& source, PickHandler onPick)
    : QObject(&source), source_(&source), onPick_(std::move(onPick)) {
    source.installEventFilter(this);
}

void ScreenPicker::Start() {
    picking_ = true;
    source_->grabMouse(Qt::CrossCursor);
}

void ScreenPicker::Stop() {
    if (!picking_) {
        return;
    }
    picking_ = false;
    if (source_ != nullptr) {
        source_->releaseMouse();
    }
}

bool ScreenPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched != source_) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            Start();
            return true;
        case QEvent::MouseMove:
            if (picking_) {
                pickPoint_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
                if (onPick_) {
                    onPick_(ScreenPixel(pickPoint_));
                }
            }
            return true;
        case QEvent::MouseButtonRelease:
            Stop();
            return true;
        // A hidden source loses its grab without a release.
        case QEvent::Hide:
            Stop();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tonzug
