// The program's own start-up path, ended as soon as its first window is on screen, so
// that a benchmark can time a whole start from process creation to a shown window.

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "app/GuiMain.h"

namespace {

class QuitWhenExposed final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && watched->isWindowType() &&
            static_cast<QWindow*>(watched)->isExposed()) {
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

void QuitOnFirstShownWindow() {
    qApp->installEventFilter(new QuitWhenExposed(qApp));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(QuitOnFirstShownWindow)

int main(int argc, char** argv) {
#ifdef TONZUG_BARE_QT_WINDOW
    // The reference: the least a Qt program does to put a window on screen.
    QApplication app(argc, argv);
    QWidget window;
    window.resize(640, 480);
    window.show();
    return QApplication::exec();
#else
    return tonzug::RunMainWindow(argc, argv);
#endif
}
