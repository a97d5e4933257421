// Completion on a large page: from the "=" keystroke to the shown value list, which includes the
// rescan of the whole page (and the navigator's refresh that goes with it) and the filling of
// the list. Measured on a page of about 1 MB with thousands of links, pictures and classes.
#include "app/RichEditEx.h"
#include "app/main2.h"
#include "app/textfile.h"
#include "html/HTMLParser.h"
#include "html/editingaids.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <memory>
#include <sys/time.h>

using namespace Qt::StringLiterals;

namespace {

QString LargePage(qsizetype bytes) {
    QString page = u"<html><head><title>Большая страница</title>\n<style>\n"_s;
    for (int i = 0; i < 200; ++i)
        page += u".c%1 { color: #%2; }\n"_s.arg(i).arg(i * 1000 % 0xffffff, 6, 16, QChar(u'0'));
    page += u"</style></head><body>\n"_s;
    for (int i = 0; page.size() < bytes; ++i)
        page += u"<p class=\"c%1\">Съешь еще этих мягких французских булок, да выпей чаю. "
                u"<a href=\"page%2.html\">ссылка %2</a> <img src=\"img%3.gif\" alt=\"x\" "
                u"width=\"10\" height=\"10\"> <b>жирный</b> и <i>наклонный</i> текст.</p>\n"_s
                    .arg(i % 200)
                    .arg(i % 5000)
                    .arg(i % 3000);
    return page + u"<p >\n</body></html>\n"_s;
}

void WaitExposed(QWidget& w) {
    while (!(w.windowHandle() && w.windowHandle()->isExposed()))
        QCoreApplication::processEvents();
}

// One window with the large page open, shared by the cases. With targetsExist the linked pages
// and pictures are files beside the page, as on a kept site; otherwise every link is missing,
// which is the slow case for the navigator's link check that follows each scan.
struct TFixture {
    QTemporaryDir Dir;
    std::unique_ptr<TfrmMain> W;
    int Caret = 0; // inside the last "<p >", where the attribute is typed

    explicit TFixture(bool targetsExist) {
        if (targetsExist) {
            for (int i = 0; i < 5000; ++i)
                QFile(Dir.filePath(u"page%1.html"_s.arg(i))).open(QIODevice::WriteOnly);
            for (int i = 0; i < 3000; ++i)
                QFile(Dir.filePath(u"img%1.gif"_s.arg(i))).open(QIODevice::WriteOnly);
        }
        W = std::make_unique<TfrmMain>();
        W->resize(1000, 700);
        W->show();
        WaitExposed(*W);
        const QString path = Dir.filePath(u"large.html"_s);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(EncodeCp1251(LargePage(1 << 20)));
        f.close();
        // A kept site was last changed a while ago, not in the instant before the scan.
        const QByteArray dir = QFile::encodeName(Dir.path());
        struct timeval past[2];
        ::gettimeofday(&past[0], nullptr);
        past[0].tv_sec -= 60;
        past[1] = past[0];
        ::utimes(dir.constData(), past);
        W->PendingPath = path;
        W->OpenDocument(osGivenPath);
        Caret = int(W->reSource->Text().lastIndexOf(u"<p >")) + 3;
    }
};

std::unique_ptr<TFixture> gSite, gMissing;

TFixture& Fixture(bool targetsExist = true) {
    std::unique_ptr<TFixture>& f = targetsExist ? gSite : gMissing;
    if (!f) {
        gSite.reset(); // one window at a time
        gMissing.reset();
        f = std::make_unique<TFixture>(targetsExist);
    }
    return *f;
}

void SendKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}

void TypeName(QWidget* target, const QString& name) {
    for (QChar c : name)
        SendKey(target, Qt::Key_A + (c.unicode() - u'a'), QString(c));
}

// The keystroke: the "=" after a typed attribute name, until the list is shown and filled.
void EqualsToList(benchmark::State& state, const QString& name, bool targetsExist = true) {
    TFixture& f = Fixture(targetsExist);
    TRichEditEx* ed = f.W->reSource;
    for (auto _ : state) {
        state.PauseTiming();
        ed->Select(f.Caret, 0);
        f.W->EditingAids->TypedWord.clear();
        TypeName(ed, name);
        state.ResumeTiming();

        SendKey(ed, Qt::Key_Equal, u"="_s);

        state.PauseTiming();
        if (f.W->EditingAids->lbCompletion->isHidden() ||
            f.W->EditingAids->lbCompletion->count() == 0)
            state.SkipWithError("the completion list did not open");
        SendKey(f.W->EditingAids->lbCompletion, Qt::Key_Escape, QString());
        // Take the typed name and "=" out again so every round sees the same page.
        ed->Select(f.Caret, int(name.size()) + 1);
        ed->ReplaceSelection(QString());
        state.ResumeTiming();
    }
    state.counters["entries"] = f.W->EditingAids->lbCompletion->count();
    state.counters["page_chars"] = double(ed->Text().size());
}

void BM_EqualsToList_Align(benchmark::State& state) {
    EqualsToList(state, u"align"_s);
}

void BM_EqualsToList_Href(benchmark::State& state) {
    EqualsToList(state, u"href"_s);
}

void BM_EqualsToList_Class(benchmark::State& state) {
    EqualsToList(state, u"class"_s);
}

void BM_EqualsToList_Align_MissingTargets(benchmark::State& state) {
    EqualsToList(state, u"align"_s, false);
}

// The part of the keystroke spent in the rescan alone (with the navigator's refresh).
void BM_RescanEditor(benchmark::State& state) {
    TFixture& f = Fixture();
    for (auto _ : state)
        f.W->HpParser->ParseEditor();
}

// The scanner alone on the same text, without the window's handlers.
void BM_ScanOnly(benchmark::State& state) {
    TFixture& f = Fixture();
    const QString text = f.W->reSource->Text();
    THTMLParser parser;
    for (auto _ : state)
        parser.Parse(text);
}

void BM_EditorText(benchmark::State& state) {
    TFixture& f = Fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(f.W->reSource->Text());
}

BENCHMARK(BM_ScanOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EqualsToList_Align)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EqualsToList_Href)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EqualsToList_Class)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RescanEditor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EqualsToList_Align_MissingTargets)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir home;
    qputenv("QUORVANE_HOME", home.path().toLocal8Bit());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The window goes before the application.
    gSite.reset();
    gMissing.reset();
    return 0;
}
