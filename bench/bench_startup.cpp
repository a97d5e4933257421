// The start of the program up to a shown main window: making the window (settings, Projects
// folder, the command-line page), showing it and waiting until the window system exposes it.
#include "app/main2.h"
#include "app/startup.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void WaitExposed(QWidget& w) {
    while (!(w.windowHandle() && w.windowHandle()->isExposed()))
        QCoreApplication::processEvents();
}

// Closing writes the settings, as a real run does; the next start reads them back.
void Finish(TfrmMain& w) {
    w.close();
}

void BM_StartEmpty(benchmark::State& state) {
    for (auto _ : state) {
        TfrmMain w;
        w.showMaximized();
        WaitExposed(w);
        state.PauseTiming();
        Finish(w);
        state.ResumeTiming();
    }
}

void BM_StartWithCommandLinePage(benchmark::State& state) {
    const QString page = QStringLiteral(QUORVANE_SAMPLE_SITE "/index.html");
    if (!QFile::exists(page)) {
        state.SkipWithError("sample page missing");
        return;
    }
    for (auto _ : state) {
        TfrmMain w(QStringList{page});
        w.showMaximized();
        WaitExposed(w);
        state.PauseTiming();
        Finish(w);
        state.ResumeTiming();
    }
}

// The whole entry sequence: splash shown, main window made and shown, splash gone.
void BM_StartWithSplash(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<TfrmMain> w = StartMainWindow({});
        WaitExposed(*w);
        state.PauseTiming();
        Finish(*w);
        w.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_StartEmpty)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartWithCommandLinePage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartWithSplash)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InitApplication(app);
    QTemporaryDir dir;
    qputenv("QUORVANE_HOME", dir.path().toLocal8Bit());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
