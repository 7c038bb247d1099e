#pragma once

#include <QPoint>
#include <chrono>
#include <optional>

namespace tonzug {

// Grabs the pointer of the X11 screen (crosshair cursor) and waits for one click: the
// left button gives the point under the pointer, any other button or a key cancels, and
// so does waiting longer than `timeout`. Empty when cancelled, or when the program does
// not run on X11 or cannot grab the pointer. Needs a QGuiApplication on xcb.
std::optional<QPoint> WaitForClickOnX11Screen(std::chrono::milliseconds timeout);

}  // namespace tonzug
