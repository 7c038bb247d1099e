#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace tonzug::testing {

// Runs `act` on the next modal window of type Dialog as soon as it shows; the code
// under test is then blocked in the window's own event loop. Gives up after ten seconds,
// closing whatever window is open (the waiting test then fails on what it did not see).
template <typename Dialog>
void WhenShown(std::function<void(Dialog&)> act) {
    auto* poll = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, waited, act] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr && dialog->isVisible()) {
            poll->stop();
            poll->deleteLater();
            act(*dialog);
        } else if (++*waited > 1000) {
            // Never leave a test hanging in a window nobody closes: it fails instead.
            poll->stop();
            poll->deleteLater();
            if (QWidget* stuck = QApplication::activeModalWidget()) {
                stuck->close();
            }
        }
    });
    poll->start(10);
}

// Types a name into the file dialog's name field, as a user does, and confirms it; a
// name the dialog refuses cancels it. (QFileDialog::selectFile leaves the field alone
// once it has the focus, which depends on timing.)
inline void ChooseFile(QFileDialog& dialog, const QString& path) {
    // The dialog lists its folder in the background and may reset the name field when
    // the listing arrives; let that happen first, as it would before a user types.
    QTest::qWait(100);
    if (auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        field->setText(path);
    } else {
        dialog.selectFile(path);
    }
    static_cast<QDialog&>(dialog).accept();  // the file dialog's own checks run
    if (dialog.isVisible()) {
        dialog.reject();
    }
}

// The name shown in the file dialog's name field.
inline QString ShownFileName(const QFileDialog& dialog) {
    const auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    return field != nullptr ? field->text() : QStringLiteral("<no name field>");
}

// The text and title of a message box, read before it is closed.
struct SeenMessage {
    QString title;
    QString text;
    QString details;
};

inline void ReadAndClose(QMessageBox& box, SeenMessage& seen) {
    seen = {box.windowTitle(), box.text(), box.informativeText()};
    box.accept();
}

}  // namespace tonzug::testing
