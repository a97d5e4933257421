// Opening, switching between and saving large pages in the main window.
#include "app/RichEditEx.h"
#include "app/documentset.h"
#include "app/main2.h"
#include "app/textfile.h"

#include <QApplication>
#include <QFile>
#include <QTabBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QTemporaryDir* gDir = nullptr;

// A page of realistic markup with Cyrillic text, about `bytes` long.
QString MakePage(qint64 bytes) {
    QString s = u"<html>\n<head>\n<title>Большая страница</title>\n</head>\n<body>\n"_s;
    int i = 0;
    while (s.size() < bytes) {
        s += u"<p class=\"note\">Абзац номер %1: съешь же ещё этих мягких французских булок. "
             u"<a href=\"page%1.html\">ссылка</a> <img src=\"images/p%1.jpg\" alt=\"\" /></p>\n"_s
                 .arg(i++);
    }
    s += u"</body>\n</html>\n"_s;
    return s;
}

QString PagePath(qint64 bytes, int n) {
    const QString path = gDir->filePath(u"page_%1_%2.html"_s.arg(bytes).arg(n));
    if (!QFile::exists(path))
        WriteTextFile(path, MakePage(bytes));
    return path;
}

void Open(TfrmMain& w, const QString& path) {
    w.PendingPath = path;
    w.OpenDocument(osGivenPath);
}

void BM_OpenPage(benchmark::State& state) {
    const QString path = PagePath(state.range(0), 0);
    for (auto _ : state) {
        TfrmMain w;
        Open(w, path);
        benchmark::DoNotOptimize(w.DocumentCount());
        w.Documents->At(0)->setModified(false);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_SwitchPages(benchmark::State& state) {
    TfrmMain w;
    Open(w, PagePath(state.range(0), 0));
    Open(w, PagePath(state.range(0), 1));
    int next = 0;
    for (auto _ : state) {
        w.tcEditor->setCurrentIndex(next); // a user switch: stash, then show
        next = 1 - next;
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_SavePage(benchmark::State& state) {
    TfrmMain w;
    Open(w, PagePath(state.range(0), 2));
    for (auto _ : state)
        w.acSaveExecute();
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

constexpr qint64 kMB = 1024 * 1024;
BENCHMARK(BM_OpenPage)->Arg(kMB)->Arg(5 * kMB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchPages)->Arg(kMB)->Arg(5 * kMB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePage)->Arg(kMB)->Arg(5 * kMB)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    gDir = &dir;
    qputenv("QUORVANE_HOME", dir.path().toLocal8Bit());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
