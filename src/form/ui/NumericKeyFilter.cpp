#include "form/ui/NumericKeyFilter.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>

#include "form/NumericInput.h"

namespace tonzug {
namespace {

constexpr std::int16_t kBackspaceCode = 8;
constexpr std::int16_t kTabCode = 9;
constexpr std::int16_t kLineFeedCode = 10;
constexpr std::int16_t kEnterCode = 13;
constexpr std::int16_t kEscapeCode = 27;
constexpr std::int16_t kDeleteCode = 127;
// Stands for every character beyond the 16-bit code range; no such character passes.
constexpr std::int16_t kWideCharacterCode = INT16_MAX;

std::int16_t CharacterCode(QChar character) {
    const char16_t unicode = character.unicode();
    return unicode > static_cast<char16_t>(INT16_MAX) ? kWideCharacterCode
                                                      : static_cast<std::int16_t>(unicode);
}

bool Passes(std::int16_t code) {
    return FilterNumericKey(code);
}

// The editing shortcuts that the field's own context menu offers too; they type nothing.
bool IsEditingShortcut(const QKeyEvent& event) {
    for (const QKeySequence::StandardKey shortcut :
         {QKeySequence::SelectAll, QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Copy,
          QKeySequence::Cut, QKeySequence::Paste}) {
        if (event.matches(shortcut)) {
            return true;
        }
    }
    return false;
}

// Every change of the text passes here, typed or pasted. Typed text has passed the key
// filter already and is left alone, so "-" and "+" may stand on their way to a number.
class PastedNumberValidator : public QValidator {
  public:
    explicit PastedNumberValidator(QObject* parent) : QValidator(parent) {}

    State validate(QString& input, int& position) const override {
        const bool typeable = std::all_of(input.cbegin(), input.cend(), [](QChar character) {
            return Passes(CharacterCode(character));
        });
        if (typeable) {
            return Acceptable;
        }
        const std::optional<std::string> cleaned = NumericFieldText(input.toStdString());
        if (!cleaned) {
            return Invalid;
        }
        input = QString::fromStdString(*cleaned);
        position = std::min<int>(position, static_cast<int>(input.size()));
        return Acceptable;
    }
};

}  // namespace

std::optional<std::int16_t> TypedCharacterCode(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers.testFlag(Qt::AltModifier)) {
        return std::nullopt;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) {
            return static_cast<std::int16_t>(key - Qt::Key_A + 1);
        }
        if (key == Qt::Key_Backspace) {
            return kDeleteCode;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            return kLineFeedCode;
        }
        return std::nullopt;
    }
    switch (key) {
        case Qt::Key_Backspace:
            return kBackspaceCode;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return kTabCode;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kEnterCode;
        case Qt::Key_Escape:
            return kEscapeCode;
        default:
            break;
    }
    const QString text = event.text();
    if (text.isEmpty() || !text.front().isPrint()) {
        return std::nullopt;  // Delete and the other keys that move or erase
    }
    return CharacterCode(text.front());
}

NumericKeyFilter::NumericKeyFilter(QLineEdit& edit) : QObject(&edit) {
    edit.installEventFilter(this);
    edit.setValidator(new PastedNumberValidator(&edit));
}

bool NumericKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        const std::optional<std::int16_t> code = TypedCharacterCode(key);
        if (code && !Passes(*code) && !IsEditingShortcut(key)) {
            return true;
        }
    } else if (event->type() == QEvent::InputMethod) {
        const QString committed = static_cast<QInputMethodEvent*>(event)->commitString();
        for (const QChar character : committed) {
            if (!Passes(CharacterCode(character))) {
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tonzug
