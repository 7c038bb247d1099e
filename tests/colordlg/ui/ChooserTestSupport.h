#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace tonzug::testing {

// Mouse input straight to one widget, with the exact buttons held, as the window
// system delivers it to the widget that holds the mouse (a position outside the widget
// included).
inline void SendMouse(QWidget& widget, QEvent::Type type, QPointF position, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    const QPointF global = widget.mapToGlobal(position);
    QMouseEvent event(type, position, position, global, button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

inline void Press(QWidget& widget, QPointF position, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(widget, QEvent::MouseButtonPress, position, button, button);
}

inline void Move(QWidget& widget, QPointF position, Qt::MouseButtons held = Qt::LeftButton) {
    SendMouse(widget, QEvent::MouseMove, position, Qt::NoButton, held);
}

inline void Release(QWidget& widget, QPointF position, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(widget, QEvent::MouseButtonRelease, position, button, Qt::NoButton);
}

}  // namespace tonzug::testing
