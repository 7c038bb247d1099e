#include "form/ui/ReturnPressesButton.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

namespace tonzug {
namespace {

class ReturnKeyPress : public QObject {
  public:
    explicit ReturnKeyPress(QObject* parent) : QObject(parent) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto& key = *static_cast<QKeyEvent*>(event);
        const bool plainReturn = (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
                                 (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        auto* button = qobject_cast<QAbstractButton*>(watched);
        if (!plainReturn || button == nullptr || !button->isEnabled()) {
            return false;
        }
        button->animateClick();
        return true;
    }
};

}  // namespace

void PressButtonsOnReturn(QWidget& window) {
    auto* filter = new ReturnKeyPress(&window);
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (qobject_cast<QPushButton*>(button) != nullptr ||
            qobject_cast<QToolButton*>(button) != nullptr) {
            button->installEventFilter(filter);
        }
    }
}

}  // namespace tonzug
