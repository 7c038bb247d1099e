#include "support/ui/ScreenPicker.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "support/ui/ScreenPixel.h"

namespace tonzug {

ScreenPicker::ScreenPicker(QWidget& source, ColorSource currentColor, PickHandler onPick)
    : QObject(&source),
      source_(&source),
      currentColor_(std::move(currentColor)),
      onPick_(std::move(onPick)) {
    source.installEventFilter(this);
}

void ScreenPicker::Start() {
    picking_ = true;
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
        case QEvent::KeyPress:
            if (picking_ && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                Cancel();
                return true;
            }
            break;
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
