#pragma once

class QWidget;

namespace tonzug {

// Return or Enter on a focused push or tool button of the window presses it, as Space
// does. Qt's buttons answer Return only as a dialog's default button, which a main
// window has not.
void PressButtonsOnReturn(QWidget& window);

}  // namespace tonzug
