#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "workspace/ParameterFiles.h"
#include "workspace/ParameterForm.h"

namespace {

// CPU seconds used by all finished child processes so far.
double ChildCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A whole start of the program with a settings file present: process creation, loading
// the libraries, the application object, reading the settings, building the window, and
// the window shown. The probe is the program's start-up that ends at that point.
// Arguments: 0 the program, 1 a bare Qt window as the reference.
void BM_ProcessStartUpToShownWindow(benchmark::State& state) {
    const QString program = state.range(0) == 0 ? QStringLiteral(TONZUG_STARTUP_PROBE)
                                                : QStringLiteral(BARE_QT_STARTUP_PROBE);
    QTemporaryDir config;
    QDir(config.path()).mkpath(QStringLiteral("Tonzug"));
    tonzug::ParameterForm form;
    form.txtX.SetText("300");
    form.optV.Select(tonzug::Orientation::kCircle);
    if (!tonzug::SaveParameters(form, config.filePath("Tonzug/Tonzug.ini").toStdString())) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    if (!environment.contains(QStringLiteral("DISPLAY")) &&
        !environment.contains(QStringLiteral("WAYLAND_DISPLAY"))) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    const double cpuBefore = ChildCpuSeconds();
    for (auto _ : state) {
        QProcess probe;
        probe.setProcessEnvironment(environment);
        probe.setStandardOutputFile(QProcess::nullDevice());
        probe.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        probe.start(program, {});
        if (!probe.waitForFinished(10000) || probe.exitCode() != 0) {
            state.SkipWithError("the program did not start and show its window");
            return;
        }
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
    }
    // The program's own CPU time per start: what the wall time comes to on an idle machine.
    state.counters["program_cpu_ms"] = benchmark::Counter((ChildCpuSeconds() - cpuBefore) * 1e3 /
                                                          static_cast<double>(state.iterations()));
}
BENCHMARK(BM_ProcessStartUpToShownWindow)
    ->ArgName("bare_qt")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

}  // namespace
