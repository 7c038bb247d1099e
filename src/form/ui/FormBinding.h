#pragma once

#include <QList>

class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QScrollBar;

namespace tonzug {

class CheckBox;
class ColorSwatch;
class OptionGroup;
class Slider;
class SwatchBox;
class TextField;

// Two-way bindings between the widgets and the form's controls. A user's edit goes into
// the control and runs its change handling; every value the program writes into the
// control shows in the widget at once. Each widget starts out showing the control's
// current value. A binding ends with its widget; the form must outlive the widgets.
void BindLineEdit(QLineEdit& edit, TextField& field);
void BindScrollBar(QScrollBar& bar, Slider& slider);
void BindCheckBox(QCheckBox& box, CheckBox& check);
// The buttons in the order of their indexes in the group.
void BindOptionButtons(const QList<QAbstractButton*>& buttons, OptionGroup& group);
// Swatches have no user edit of their own: the commands set them.
void BindSwatch(SwatchBox& box, ColorSwatch& swatch);

}  // namespace tonzug
