#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <memory>

#include "form/ui/SwatchBox.h"
#include "workspace/ParameterFiles.h"
#include "workspace/ui/MainWindow.h"
#include "workspace/ui/PreviewBox.h"

namespace {

template <typename Widget>
Widget& Find(const QWidget& root, const char* name) {
    auto* child = root.findChild<Widget*>(QString::fromLatin1(name));
    if (child == nullptr) {
        qFatal("no child widget named %s", name);
    }
    return *child;
}

std::unique_ptr<tonzug::MainWindow> ShownWindow() {
    auto window = std::make_unique<tonzug::MainWindow>();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        qFatal("the window was never shown");
    }
    return window;
}

// Lets the window paint what the last input changed, as the event loop would.
void Repaint() {
    QCoreApplication::processEvents();
}

// One keystroke into the width field, from the key press to the repainted preview. The
// keystrokes alternate between erasing and typing the last digit of the width.
void BM_KeystrokeInWidth(benchmark::State& state, const char* width) {
    const auto window = ShownWindow();
    auto& field = Find<QLineEdit>(*window, "txtX");
    window->Form().txtX.SetText(width);
    field.setFocus();
    field.setCursorPosition(static_cast<int>(field.text().size()));
    const QChar lastDigit = field.text().back();
    Repaint();
    bool erase = true;
    for (auto _ : state) {
        if (erase) {
            QTest::keyClick(&field, Qt::Key_Backspace);
        } else {
            QTest::keyClick(&field, lastDigit.toLatin1());
        }
        erase = !erase;
        Repaint();
    }
}
BENCHMARK_CAPTURE(BM_KeystrokeInWidth, default_size, "25")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_KeystrokeInWidth, width_10000000, "10000000")->Unit(benchmark::kMicrosecond);

// One move of a screen pick from the end swatch over the preview: reading the pixel under
// the pointer, taking it into the swatch, redrawing and repainting the preview.
void BM_ScreenPickMove(benchmark::State& state) {
    const auto window = ShownWindow();
    window->Form().colEnd.SetColor(tonzug::RgbColor(0, 0, 255));
    window->Form().RedrawPreview();
    Repaint();
    QWindow* handle = window->windowHandle();
    auto& swatch = Find<tonzug::SwatchBox>(*window, "colEnd");
    const auto& box = Find<tonzug::PreviewBox>(*window, "picDisp");
    const QPoint points[] = {box.mapTo(window.get(), QPoint(box.width() / 2, 2)),
                             box.mapTo(window.get(), QPoint(box.width() / 2, box.height() / 2))};
    QTest::mousePress(handle, Qt::LeftButton, {}, swatch.mapTo(window.get(), QPoint(4, 4)));
    std::size_t move = 0;
    for (auto _ : state) {
        QTest::mouseMove(handle, points[move++ % 2]);
        Repaint();
    }
    QTest::mouseRelease(handle, Qt::LeftButton, {}, points[0]);
}
BENCHMARK(BM_ScreenPickMove)->Unit(benchmark::kMicrosecond);

// From creating the main window, with a settings file present, to the window shown.
void BM_StartUpToShownWindow(benchmark::State& state) {
    {
        tonzug::MainWindow first;
        first.Form().txtX.SetText("300");
        tonzug::SaveParameters(first.Form(), first.SettingsFile());
    }
    for (auto _ : state) {
        const auto window = ShownWindow();
        Repaint();
        state.PauseTiming();
        window->hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond);

// The offscreen platform warns about every window feature it lacks; the figures matter here.
void QuietWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtWarningMsg && type != QtDebugMsg && type != QtInfoMsg) {
        qt_message_output(type, context, message);
    }
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietWarnings);
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Never the user's settings.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
