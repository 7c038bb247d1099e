#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "color/ColorValue.h"
#include "form/ui/SwatchBox.h"
#include "testing/QtTests.h"
#include "testing/ScopedEnvironment.h"
#include "workspace/ui/MainWindow.h"

namespace tonzug::testing {

// Points the settings folder into a fresh temporary folder while it lives, so a test
// never reads or writes the user's settings and never sees another test's.
struct SettingsSandbox {
    QString Path() const { return folder.path(); }

    QTemporaryDir folder;
    ScopedEnvironment config{"XDG_CONFIG_HOME", folder.path().toStdString()};
};

// A named child widget; a missing one ends the test program at once.
template <typename Widget>
Widget& Find(const QWidget& root, const char* name) {
    auto* child = root.findChild<Widget*>(QString::fromLatin1(name));
    if (child == nullptr) {
        qFatal("no child widget named %s", name);
    }
    return *child;
}

// A main window with its own settings folder, shown, red at the start and blue at the end:
// the window that the screen picks start from.
struct PickWindow {
    static constexpr ColorValue kRed = RgbColor(255, 0, 0);
    static constexpr ColorValue kBlue = RgbColor(0, 0, 255);

    PickWindow() {
        window.Form().colStart.SetColor(kRed);
        window.Form().colEnd.SetColor(kBlue);
        window.Form().RedrawPreview();
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            qFatal("the main window was never shown");
        }
    }

    SettingsSandbox sandbox;
    MainWindow window;
};

// Input as a person gives it: typed over the selected text, a scroll bar moved, a button
// clicked; what the widget shows, as text.
inline void Enter(QWidget& widget, const QString& typed) {
    if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
        edit->selectAll();
        QTest::keyClicks(edit, typed);
    } else if (auto* bar = qobject_cast<QScrollBar*>(&widget)) {
        bar->setValue(typed.toInt());
    } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        button->click();
    }
}

// What a field shows after typing over its text in the active window: a value corrected
// while the user types is selected, so that the next key replaces it.
inline QString TypedOver(QWidget& window, const QString& field, const QString& typed) {
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) {
        qFatal("the window never became active");
    }
    auto& edit = Find<QLineEdit>(window, field.toLatin1().constData());
    edit.setFocus();
    edit.selectAll();
    QTest::keyClicks(&edit, typed);
    return edit.text();
}

inline QString Shown(const QWidget& widget) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) {
        return edit->text();
    }
    if (const auto* bar = qobject_cast<const QScrollBar*>(&widget)) {
        return QString::number(bar->value());
    }
    if (const auto* swatch = qobject_cast<const SwatchBox*>(&widget)) {
        return QString::number(swatch->Color());
    }
    return qobject_cast<const QAbstractButton*>(&widget)->isChecked() ? "1" : "0";
}

// Mouse input straight to one widget, with the exact buttons held, as the window system
// delivers it to the widget that holds the mouse (a position outside the widget included).
inline void SendMouse(QWidget& widget, QEvent::Type type, QPointF position, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, position, position, widget.mapToGlobal(position), button, held,
                      Qt::NoModifier);
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
