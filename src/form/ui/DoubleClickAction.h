#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <functional>
#include <utility>

namespace tonzug {

// Runs an action on a double-click of the watched widget and swallows the event, so a
// widget that also reacts to presses (a screen pick, a drag) does not see it as well.
// It is the widget's child and ends with it.
class DoubleClickAction : public QObject {
  public:
    DoubleClickAction(QWidget& watched, std::function<void()> action)
        : QObject(&watched), action_(std::move(action)) {
        watched.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick) {
            action_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> action_;
};

}  // namespace tonzug
