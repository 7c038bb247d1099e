#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStringList>
#include <QTabWidget>
#include <QTextBrowser>
#include <QWidget>

namespace tonzug::testing {

// Every text a window shows or gives a screen reader, one line each: where it sits (the
// object names down the tree, the class where there is none), what it is, and the text with
// its line breaks escaped. Two languages' lists line up line for line.
class WindowTexts {
  public:
    explicit WindowTexts(const QWidget& window) {
        const QString root = PlaceOf(window);
        AddWidget(root, window);
        for (const QWidget* child : window.findChildren<QWidget*>()) {
            AddWidget(root + QLatin1Char('/') + PlaceOf(*child), *child);
        }
        for (const QAction* action : window.findChildren<QAction*>()) {
            const QString place = root + QStringLiteral("/action:") + PlaceOf(*action);
            Add(place, QStringLiteral("text"), action->text());
            if (action->toolTip() != QString(action->text()).remove(QLatin1Char('&'))) {
                Add(place, QStringLiteral("toolTip"), action->toolTip());
            }
        }
    }

    const QStringList& Lines() const { return lines_; }
    // The access keys ("&Schließen": S) that more than one control of the window claims.
    QStringList MnemonicClashes() const {
        QStringList clashes;
        for (const QString& key : mnemonics_) {
            if (mnemonics_.count(key) > 1 && !clashes.contains(key)) {
                clashes << key;
            }
        }
        return clashes;
    }
    // Only the texts, for checking their words.
    const QStringList& Texts() const { return texts_; }

  private:
    static QString PlaceOf(const QObject& object) {
        return object.objectName().isEmpty() ? QString::fromLatin1(object.metaObject()->className())
                                             : object.objectName();
    }

    void Add(const QString& place, const QString& what, const QString& text) {
        if (text.isEmpty()) {
            return;
        }
        QString escaped = text;
        escaped.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
        lines_ << place + QLatin1Char(' ') + what + QStringLiteral(": ") + escaped;
        texts_ << text;
    }

    void AddMnemonic(const QString& text) {
        for (qsizetype at = text.indexOf(QLatin1Char('&')); at >= 0 && at + 1 < text.size();
             at = text.indexOf(QLatin1Char('&'), at + 2)) {
            if (text[at + 1] != QLatin1Char('&')) {
                mnemonics_ << text[at + 1].toUpper();
                return;
            }
        }
    }

    void AddWidget(const QString& place, const QWidget& widget) {
        if (widget.isWindow()) {
            Add(place, QStringLiteral("windowTitle"), widget.windowTitle());
        }
        Add(place, QStringLiteral("toolTip"), widget.toolTip());
        Add(place, QStringLiteral("statusTip"), widget.statusTip());
        Add(place, QStringLiteral("whatsThis"), widget.whatsThis());
        Add(place, QStringLiteral("accessibleName"), widget.accessibleName());
        Add(place, QStringLiteral("accessibleDescription"), widget.accessibleDescription());
        if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
            Add(place, QStringLiteral("text"), label->text());
            if (label->buddy() != nullptr) {
                AddMnemonic(label->text());
            }
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
            Add(place, QStringLiteral("text"), button->text());
            AddMnemonic(button->text());
        } else if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) {
            Add(place, QStringLiteral("title"), frame->title());
        } else if (const auto* field = qobject_cast<const QLineEdit*>(&widget)) {
            Add(place, QStringLiteral("placeholderText"), field->placeholderText());
        } else if (const auto* menu = qobject_cast<const QMenu*>(&widget)) {
            Add(place, QStringLiteral("title"), menu->title());
        } else if (const auto* browser = qobject_cast<const QTextBrowser*>(&widget)) {
            Add(place, QStringLiteral("text"), browser->toPlainText());
        } else if (const auto* tabs = qobject_cast<const QTabWidget*>(&widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                Add(place, QStringLiteral("tab"), tabs->tabText(i));
            }
        }
        if (const auto* choice = qobject_cast<const QComboBox*>(&widget)) {
            for (int i = 0; i < choice->count(); ++i) {
                Add(place, QStringLiteral("item"), choice->itemText(i));
                Add(place, QStringLiteral("itemToolTip"),
                    choice->itemData(i, Qt::ToolTipRole).toString());
            }
        }
    }

    QStringList lines_;
    QStringList texts_;
    QStringList mnemonics_;
};

}  // namespace tonzug::testing
