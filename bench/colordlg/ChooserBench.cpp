#include <benchmark/benchmark.h>

#include <vector>

#include <QApplication>
#include <QTest>
#include <memory>

#include "color/ColorValue.h"
#include "colordlg/ColorForm.h"
#include "colordlg/ui/ColorDialog.h"
#include "support/Numbers.h"

namespace {

// Two colours that differ in every display, so each call writes all of them and
// redraws fields.
constexpr tonzug::ColorValue kColors[] = {tonzug::RgbColor(200, 40, 90),
                                          tonzug::RgbColor(30, 180, 250)};

std::vector<tonzug::Subscription> CountFieldDraws(tonzug::ColorForm& form, std::int64_t& draws) {
    std::vector<tonzug::Subscription> subscriptions;
    for (tonzug::HslField* field : {&form.picHFF, &form.picFSF, &form.picFFL}) {
        subscriptions.push_back(field->Observe([&draws] { ++draws; }));
    }
    return subscriptions;
}

// The core's share: the cascade of one ShowColor with all field redraws.
void BM_ShowColorCascade(benchmark::State& state) {
    tonzug::SetUserNumberFormat({'.', ','});
    tonzug::ColorForm form;
    std::int64_t draws = 0;
    const auto counting = CountFieldDraws(form, draws);
    std::size_t call = 0;
    for (auto _ : state) {
        form.ShowColor(kColors[call++ % 2], tonzug::kNoColor);
    }
    state.counters["field_events_per_call"] =
        benchmark::Counter(static_cast<double>(draws) / static_cast<double>(call));
}
BENCHMARK(BM_ShowColorCascade)->Unit(benchmark::kMicrosecond);

std::unique_ptr<tonzug::ColorDialog> ShownDialog() {
    auto dialog = std::make_unique<tonzug::ColorDialog>();
    dialog->Form().SetStartColor(tonzug::kBlack);
    dialog->Initialize();
    dialog->move(0, 0);
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog.get())) {
        qFatal("the chooser was never shown");
    }
    return dialog;
}

// The same call in the shown window, with every widget updated and repainted.
void BM_ShowColorRepainted(benchmark::State& state) {
    const auto dialog = ShownDialog();
    std::size_t call = 0;
    for (auto _ : state) {
        dialog->Form().ShowColor(kColors[call++ % 2], tonzug::kNoColor);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ShowColorRepainted)->Unit(benchmark::kMicrosecond);

// One move of a screen pick from the preview over the hue strip: reading the screen
// pixel under the pointer, showing it in every display, repainting the window. Must stay
// well under 16.7 ms to keep up with 60 moves a second.
void BM_ScreenPickMove(benchmark::State& state) {
    const auto dialog = ShownDialog();
    QWidget* preview = dialog->findChild<QWidget*>(QStringLiteral("pCol"));
    QWidget* strip = dialog->findChild<QWidget*>(QStringLiteral("colPick"));
    const QPoint over[] = {preview->mapFromGlobal(strip->mapToGlobal(QPoint(5, 20))),
                           preview->mapFromGlobal(strip->mapToGlobal(QPoint(5, 150)))};
    QTest::mousePress(preview, Qt::LeftButton, {}, QPoint(4, 4));
    std::size_t move = 0;
    for (auto _ : state) {
        QTest::mouseMove(preview, over[move++ % 2]);
        QCoreApplication::processEvents();
    }
    QTest::mouseRelease(preview, Qt::LeftButton, {}, over[0]);
    if (dialog->Form().pCol.Color() == tonzug::kBlack) {  // the strip holds no black
        state.SkipWithError("the pick read nothing");
    }
}
BENCHMARK(BM_ScreenPickMove)->Unit(benchmark::kMicrosecond);

// The offscreen platform warns about every window feature it lacks; the figures matter.
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
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
