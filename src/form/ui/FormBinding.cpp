#include "form/ui/FormBinding.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "form/ColorSwatch.h"
#include "form/FormControls.h"
#include "form/ui/SwatchBox.h"

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

// Holds an observer's subscription as a child of its widget, so the observer ends with
// the widget and a destroyed widget is never called back.
class WidgetSubscription : public QObject {
  public:
    WidgetSubscription(QObject& widget, Subscription subscription)
        : QObject(&widget), subscription_(std::move(subscription)) {}

  private:
    Subscription subscription_;
};

void ObserveWhileAlive(QObject& widget, ControlEvents& control, std::function<void()> show) {
    new WidgetSubscription(widget, control.Observe(std::move(show)));
}

}  // namespace

void BindLineEdit(QLineEdit& edit, TextField& field) {
    ShowText(edit, field.Text());
    ObserveWhileAlive(edit, field, [&edit, &field] { ShowText(edit, field.Text()); });
    // textEdited comes from the user only (typing, pasting, cutting), never from setText.
    QObject::connect(&edit, &QLineEdit::textEdited, &edit,
                     [&field](const QString& text) { field.Type(text.toStdString()); });
    QObject::connect(&edit, &QLineEdit::editingFinished, &edit, [&field] { field.FinishEdit(); });
}

void BindScrollBar(QScrollBar& bar, Slider& slider) {
    const auto show = [&bar, &slider] {
        const QSignalBlocker blocker(bar);
        bar.setValue(slider.Value());
    };
    bar.setRange(slider.Minimum(), slider.Maximum());
    show();
    ObserveWhileAlive(bar, slider, show);
    QObject::connect(&bar, &QScrollBar::valueChanged, &bar,
                     [&slider](int value) { slider.SetValue(value); });
}

void BindCheckBox(QCheckBox& box, CheckBox& check) {
    const auto show = [&box, &check] {
        const QSignalBlocker blocker(box);
        box.setChecked(check.Value() == 1);
    };
    show();
    ObserveWhileAlive(box, check, show);
    QObject::connect(&box, &QCheckBox::clicked, &box,
                     [&check](bool checked) { check.SetValue(checked ? 1 : 0); });
}

void BindOptionButtons(const QList<QAbstractButton*>& buttons, OptionGroup& group) {
    if (buttons.isEmpty()) {
        return;
    }
    QList<QPointer<QAbstractButton>> guarded(buttons.begin(), buttons.end());
    const auto show = [guarded, &group] {
        const qsizetype selected = group.Selected();
        if (selected >= 0 && selected < guarded.size() && guarded[selected]) {
            const QSignalBlocker blocker(guarded[selected]);
            guarded[selected]->setChecked(true);
        }
    };
    show();
    ObserveWhileAlive(*buttons.front(), group, show);
    for (qsizetype index = 0; index < buttons.size(); ++index) {
        QObject::connect(buttons[index], &QAbstractButton::clicked, buttons[index],
                         [&group, index] { group.Select(static_cast<std::int32_t>(index)); });
    }
}

void BindSwatch(SwatchBox& box, ColorSwatch& swatch) {
    box.SetColor(swatch.Color());
    ObserveWhileAlive(box, swatch, [&box, &swatch] { box.SetColor(swatch.Color()); });
}

}  // namespace tonzug
