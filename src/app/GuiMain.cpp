#include "app/GuiMain.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLineOptions.h"

#include "desktop/ui/InterfaceLanguage.h"
#include "workspace/ui/CommandIcons.h"
#include "workspace/ui/MainWindow.h"
#include "workspace/ui/ParameterFileCommands.h"

namespace tonzug {
namespace {

// The write end of the pipe through which a termination signal reaches the event loop.
int signalPipeWrite = -1;

extern "C" void OnTerminationSignal(int /*signal*/) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipeWrite, &byte, 1);
}

// When the system asks the program to end (log-out, shutdown, a terminal closing), the
// windows close the ordinary way, so the settings file is written as on any close.
void CloseWindowsOnTermination(QApplication& app, MainWindow& window) {
    int pipeEnds[2] = {-1, -1};
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    signalPipeWrite = pipeEnds[1];
    auto* notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [readEnd = pipeEnds[0], &window] {
        char byte = 0;
        while (::read(readEnd, &byte, 1) > 0) {
        }
        // Nobody is there to answer a question now; the settings file keeps the set.
        window.CloseWithoutAsking();
        QApplication::closeAllWindows();
    });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace

int RunMainWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tonzug"));
    QApplication::setOrganizationName(QStringLiteral("Tonzug"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tonzug.Tonzug"));
    QApplication::setWindowIcon(ApplicationIcon());
    // German where the locale is German or names no language, else English.
    InstallInterfaceLanguage(QLocale::system());

    MainWindow window;
    window.show();
    // QApplication has taken its own options out of argv; what is left is ours.
    const std::optional<WindowRequest> request =
        ParseWindowRequest(std::vector<std::string>(argv + 1, argv + argc));
    const std::optional<std::string> parameterFile =
        request ? request->parameterFile : std::nullopt;
    // Once the window is up: a message about the file then appears over it. Until the
    // file is loaded there is nothing a termination could save that the settings file
    // does not hold already, so termination closes the windows from here on; a script can
    // tell by the caught signal that the window holds the file's set.
    QTimer::singleShot(0, &window, [&app, &window, parameterFile] {
        CloseWindowsOnTermination(app, window);
        if (parameterFile) {
            window.OpenFile(QFile::decodeName(QByteArray::fromStdString(*parameterFile)));
        }
    });
    return QApplication::exec();
}

}  // namespace tonzug
