#pragma once

class QWidget;

namespace tonzug {

// "Tonzug – Hilfe" (F1): the keys and mouse actions of the main window, in a window of its
// own beside it. Opened again, the window already open comes to the front.
void ShowHelpWindow(QWidget& owner);

}  // namespace tonzug
