#include "workspace/ui/FormBinding.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "support/FormControls.h"
#include "workspace/ColorSwatch.h"
#include "workspace/ui/SwatchBox.h"

namespace tonzug {
namespace {

// A program write into the field that has the keyboard focus is a correction of what the
// user is typing (a clamp): the corrected text is selected, so that the next keystroke
// replaces it instead of landing behind it ("-3" would give "13"). Elsewhere the caret
// stays where it was. An equal text is not written at all, which keeps caret and selection.
void ShowText(QLineEdit& edit, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (edit.text() == shown) {
        return;
    }
    const int caret = edit.cursorPosition();
    edit.setText(shown);
    if (edit.hasFocus()) {
        edit.selectAll();
    } else {
        edit.setCursorPosition(std::min<qsizetype>(caret, shown.size()));
    }
}

}  // namespace

void BindLineEdit(QLineEdit& edit, TextField& field) {
    ShowText(edit, field.Text());
    field.AddObserver([&edit, &field] { ShowText(edit, field.Text()); });
    // textEdited comes from the user only (typing, pasting, cutting), never from setText.
    QObject::connect(&edit, &QLineEdit::textEdited, &edit,
                     [&field](const QString& text) { field.SetText(text.toStdString()); });
}

void BindScrollBar(QScrollBar& bar, Slider& slider) {
    const auto show = [&bar, &slider] {
        const QSignalBlocker blocker(bar);
        bar.setValue(slider.Value());
    };
    bar.setRange(slider.Minimum(), slider.Maximum());
    show();
    slider.AddObserver(show);
    QObject::connect(&bar, &QScrollBar::valueChanged, &bar,
                     [&slider](int value) { slider.SetValue(value); });
}

void BindCheckBox(QCheckBox& box, CheckBox& check) {
    const auto show = [&box, &check] {
        const QSignalBlocker blocker(box);
        box.setChecked(check.Value() == 1);
    };
    show();
    check.AddObserver(show);
    QObject::connect(&box, &QCheckBox::clicked, &box,
                     [&check](bool checked) { check.SetValue(checked ? 1 : 0); });
}

void BindOptionButtons(const QList<QAbstractButton*>& buttons, OptionGroup& group) {
    const auto show = [buttons, &group] {
        const qsizetype selected = group.Selected();
        if (selected >= 0 && selected < buttons.size()) {
            const QSignalBlocker blocker(buttons[selected]);
            buttons[selected]->setChecked(true);
        }
    };
    show();
    group.AddObserver(show);
    for (qsizetype index = 0; index < buttons.size(); ++index) {
        QObject::connect(buttons[index], &QAbstractButton::clicked, buttons[index],
                         [&group, index] { group.Select(static_cast<std::int32_t>(index)); });
    }
}

void BindSwatch(SwatchBox& box, ColorSwatch& swatch) {
    box.SetColor(swatch.Color());
    swatch.AddObserver([&box, &swatch] { box.SetColor(swatch.Color()); });
}

}  // namespace tonzug
